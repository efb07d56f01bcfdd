// The search view on a real file: building the rows and keyword list, criteria entry, the date
// range dialog, a search through the widgets, the results grid and its hand-over, the clear.
#include "entry/DataInput.h"
#include "format/LocaleScope.h"
#include "platform/core/Twips.h"
#include "platform/core/UiServices.h"
#include "platform/db/Connection.h"
#include "search/DlgToFrmDte.h"
#include "search/SearchEngine.h"
#include "search/SearchFixture.h"
#include "search/frmSearch.h"
#include "platform/format/VbFormat.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/Faults.h"
#include "support/TestRegistry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QTimeEdit>
#include <QToolButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {
bool shown(const QWidget* w) { return w && !w->isHidden(); }
QStringList items(const QComboBox* c) {
    QStringList out;
    for (int i = 0; i < c->count(); ++i) out << c->itemText(i);
    return out;
}
QStringList items(const QListWidget* l) {
    QStringList out;
    for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
    return out;
}
// Plays the date-range dialog: OK with the given dates (times as they start), or Cancel.
std::function<int(QDialog&)> range(QDate from, QDate to, bool cancel = false) {
    return [=](QDialog&) {
        DlgToFrmDte& d = DlgToFrmDte::instance();
        if (cancel) {
            d.CancelButton_Click();
            return int(QDialog::Rejected);
        }
        d.DTDteFrm->setDate(from);
        d.DTDteTo->setDate(to);
        d.OKButton_Click();
        return int(QDialog::Accepted);
    };
}
}  // namespace

class SearchViewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    QString path;

    // The database open, the entry view loaded, the Search tab selected: the view as a user meets it.
    frmSearch& open(const QString& file) {
        openDatabase(file);
        DataInput::instance().Load();
        fx->main->SelectTab(2);
        frmSearch& v = frmSearch::instance();
        if (!v.IsLoaded()) QTest::qFail("the search view did not load", __FILE__, __LINE__);
        return v;
    }
    int row(const frmSearch& v, const QString& caption) {
        for (int i = 0; i < frmSearch::kRows; ++i)
            if (shown(v.chfldSrch[size_t(i)]) && v.chfldSrch[size_t(i)]->text() == caption) return i;
        return -1;
    }
    QString column(frmSearch& v, int r, const QString& field) {
        return v.ResultModel()->data(v.ResultModel()->index(r, v.ResultModel()->ColumnOf(field))).toString();
    }

private Q_SLOTS:
    void init() {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        path = searchdb::build(fx->path("s.mdb"));
    }
    void cleanup() {
        unloadAllForms();
        fx.reset();
    }

    void loadBuildsRowsSortAndKeywords() {
        frmSearch& v = open(path);
        QStringList captions;
        for (int i = 0; i < frmSearch::kRows; ++i)
            if (shown(v.chfldSrch[size_t(i)])) captions << v.chfldSrch[size_t(i)]->text();
        QCOMPARE(captions, (QStringList{"Name", "Age", "Price", "Born", "Cost", "Active", "Photo"}));
        QCOMPARE(items(v.cmboSort), (QStringList{"Sort Off", "Name", "Age", "Price", "Born", "Cost", "Active", "PhotoFP"}));
        QCOMPARE(v.cmboSort->currentText(), QString("Sort Off"));
        // Red, red and RED are one keyword; Null and empty values never appear.
        QCOMPARE(items(v.lstKeywrd).size(), 4);
        QVERIFY(v.AndOption->isChecked() && v.OptKeyOr->isChecked());
        QVERIFY(shown(v.chkMemoSrch) && shown(v.txtmemo));
        QVERIFY(!shown(v.grdSrchRes));
        // Seven rows: the narrow layout.
        QCOMPARE(v.SrchFldsFrame->width(), vb::twipsToPx(3885));
        QCOMPARE(v.lstKeywrd->x(), vb::twipsToPx(4200));
        QCOMPARE(v.txtKeySrch[0]->x(), vb::twipsToPx(6720));
        QCOMPARE(fx->ui.messages(), QStringList());
    }

    // An Integer field whose name begins with "Srch" gets no row, and the rows after it still
    // belong to their own fields.
    void rowsStayInStepWithDefinitions() {
        const QString file = fx->path("srch.mdb");
        testdb::build(file, {{"Name", "Text", ""}, {"SrchCount", "Number/Integer", ""}, {"Born", "Date/Time", ""}});
        testdb::exec(file, "INSERT INTO UserTable (Name, SrchCount, Born, SrchInt, SrchKey, RptFlg) VALUES "
                           "('a', 1, '2020-05-05 08:00:00', 0, 0, 0), ('b', 2, '2021-05-05 08:00:00', 0, 0, 0)");
        frmSearch& v = open(file);
        QCOMPARE(row(v, "Born"), 1);
        QVERIFY(!items(v.cmboSort).contains("SrchCount"));
        fx->ui.answerModal(range(QDate(2021, 1, 1), QDate(2021, 12, 31)));
        v.chfldSrch[1]->setChecked(true);
        QVERIFY(!v.txtSrcFld[1]->isEnabled());
        QCOMPARE(v.txtSrcFld[1]->text(), "1/1/2021 12:00 AM - 12/31/2021 11:59 PM");
        QCOMPARE(v.txtSrcFld[1]->width(), vb::twipsToPx(3555));
        v.cmdSearch_Click();
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(v.ResultModel()->rowCount(), 1);
        QCOMPARE(v.ResultModel()->IdAt(0), qint64(2));
    }

    // Ticking a row prepares its type's controls; the value boxes check and reformat on leaving.
    void criteriaEntry() {
        frmSearch& v = open(path);
        const int age = row(v, "Age"), price = row(v, "Price"), cost = row(v, "Cost"), active = row(v, "Active"),
                  born = row(v, "Born");
        v.chfldSrch[size_t(age)]->setChecked(true);
        QVERIFY(shown(v.txtSrcFld[size_t(age)]) && shown(v.cmbonum[size_t(age)]));
        QCOMPARE(v.txtSrcFld[size_t(age)]->width(), vb::twipsToPx(1335));
        QCOMPARE(v.cmbonum[size_t(age)]->currentIndex(), -1);
        QCOMPARE(v.cmbonum[size_t(age)]->placeholderText(), QString("Select < > or ="));
        v.txtSrcFld[size_t(age)]->setText("abc");
        fx->ui.answerMsgBox(vb::vbOK);
        QVERIFY(v.txtSrcFld_Validate(age));
        QCOMPARE(fx->ui.messages(), QStringList{"This is a numeric field, please enter all numbers"});
        QCOMPARE(fx->ui.titles(), QStringList{"Ravelstow Search"});
        QCOMPARE(v.txtSrcFld[size_t(age)]->text(), QString());
        QVERIFY(!v.txtSrcFld_Validate(age));   // emptied: the row is unticked, no message
        QVERIFY(!v.chfldSrch[size_t(age)]->isChecked() && !shown(v.cmbonum[size_t(age)]));

        v.chfldSrch[size_t(price)]->setChecked(true);
        v.txtSrcFld[size_t(price)]->setText("2.5");
        QVERIFY(!v.txtSrcFld_Validate(price));
        QCOMPARE(v.txtSrcFld[size_t(price)]->text(), QString("2.50"));
        v.chfldSrch[size_t(cost)]->setChecked(true);
        QVERIFY(!shown(v.cmbonum[size_t(cost)]));
        v.txtSrcFld[size_t(cost)]->setText("12.5");
        QVERIFY(!v.txtSrcFld_Validate(cost));
        QCOMPARE(v.txtSrcFld[size_t(cost)]->text(), QString("$ 12.50"));

        v.chfldSrch[size_t(active)]->setChecked(true);
        QVERIFY(shown(v.cmbSrchTF[size_t(active)]) && !shown(v.txtSrcFld[size_t(active)]));
        QCOMPARE(v.cmbSrchTF[size_t(active)]->currentText(), QString("TRUE"));
        QCOMPARE(v.cmbSrchTF[size_t(active)]->font(), v.cmbonum[size_t(active)]->font());

        // A chosen range shows under the row's check box.
        fx->ui.answerModal(range(QDate(2021, 1, 1), QDate(2021, 12, 31)));
        v.chfldSrch[size_t(born)]->setChecked(true);
        QCOMPARE(v.txtSrcFld[size_t(born)]->x(), v.chfldSrch[size_t(born)]->x());
        v.chfldSrch[size_t(born)]->setChecked(false);

        // A cancelled date dialog unticks the row; the old range text stays in the hidden box.
        fx->ui.clear();
        fx->ui.answerModal(range({}, {}, true));
        v.chfldSrch[size_t(born)]->setChecked(true);
        QVERIFY(!v.chfldSrch[size_t(born)]->isChecked() && !shown(v.txtSrcFld[size_t(born)]));

        // The notes box.
        v.chkMemoSrch->setChecked(true);
        QVERIFY(v.bMemoSrch && v.txtmemo->isEnabled() && v.txtmemo->text().isEmpty());
        v.chkMemoSrch->setChecked(false);
        QVERIFY(!v.bMemoSrch && !v.txtmemo->isEnabled());
        QCOMPARE(v.txtmemo->text(), QString("Search For Text in Notes"));

        // A dropped keyword replaces the box's text.
        v.txtKeySrch[2]->setText("abc");
        QMimeData data;
        data.setText("Red");
        QVERIFY(v.txtKeySrch_OLEDragDrop(2, &data));
        QCOMPARE(v.txtKeySrch[2]->text(), QString("Red"));
    }

    // A search through the widgets: the grid, its columns, picking a row, the report button.
    void searchShowsResultsAndHandsThemOn() {
        frmSearch& v = open(path);
        const int name = row(v, "Name");
        v.chfldSrch[size_t(name)]->setChecked(true);
        v.txtSrcFld[size_t(name)]->setText("SMITH");
        v.cmboSort->setCurrentText("Name");
        v.cmdSearch_Click();
        QCOMPARE(fx->ui.messages(), QStringList());
        QVERIFY(Module1::SrchFlg && shown(v.grdSrchRes) && v.ResultsVisible());
        QCOMPARE(Module1::SrchSQL, QString("Select * From UserTable Where SrchInt <> 0 Order by casefold([Name])"));
        QVERIFY(v.OrOption->isChecked());
        QCOMPARE(v.ResultModel()->rowCount(), 2);
        QCOMPARE(v.ResultModel()->IdAt(0), qint64(4));
        QCOMPARE(column(v, 1, "Cost"), QString("$ 12.50"));
        QCOMPARE(column(v, 1, "Active"), QString("TRUE"));
        QCOMPARE(column(v, 1, "Born"), QString("3/15/2024"));
        for (const char* hidden : {"TolvaneID", "SrchInt", "SrchKey", "SrchMemo", "RptFlg"})
            QVERIFY2(v.grdSrchRes->isColumnHidden(v.ResultModel()->ColumnOf(hidden)), hidden);
        QVERIFY(!v.grdSrchRes->isColumnHidden(v.ResultModel()->ColumnOf("PhotoFP")));

        // Picking a row moves the entry view to that record when it is next activated.
        v.grdSrchRes_Click(1);
        QCOMPARE(Module1::CurRecID, 1);
        DataInput::instance().Form_Activate();
        QCOMPARE(DataInput::instance().adoUserTbl.Recordset().Fields("TolvaneID").Value().toInt(), 1);

        // The report button hands the result to the reports view.
        fx->ui.clear();
        v.cmdPrtRep_Click();
        QVERIFY(Module1::SrchFlg);
        QCOMPARE(fx->main->SelectedTab(), 3);
    }

    // After "not found" a shown grid stays, empty, and the report button hands nothing on.
    void notFoundKeepsTheGridAndHandsNothingOn() {
        frmSearch& v = open(path);
        const int name = row(v, "Name");
        v.chfldSrch[size_t(name)]->setChecked(true);
        v.txtSrcFld[size_t(name)]->setText("smith");
        v.cmdSearch_Click();
        QVERIFY(shown(v.grdSrchRes));
        v.txtSrcFld[size_t(name)]->setText("nobody");
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdSearch_Click();
        QCOMPARE(fx->ui.messages(), QStringList{search::notFoundText()});
        QCOMPARE(fx->ui.titles(), QStringList{"Search Results"});
        QVERIFY(!Module1::SrchFlg && shown(v.grdSrchRes));
        QCOMPARE(v.ResultModel()->rowCount(), 0);
        v.cmdPrtRep_Click();
        QVERIFY(!Module1::SrchFlg);
        QCOMPARE(fx->main->SelectedTab(), 2);
    }

    // Criteria messages come from the engine; a refused write shows the read-only message and
    // keeps the previous result.
    void messagesOfTheRun() {
        frmSearch& v = open(path);
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdSearch_Click();
        QCOMPARE(fx->ui.requests.last().style, 304);
        QCOMPARE(fx->ui.titles(), QStringList{"Data Search Value Is Blank"});
        fx->ui.clear();
        const int age = row(v, "Age");
        v.chfldSrch[size_t(age)]->setChecked(true);
        v.txtSrcFld[size_t(age)]->setText("5");
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdSearch_Click();
        QCOMPARE(fx->ui.messages(), QStringList{"Please Select an >, < or = Value For Age\r\n"});
        // Another program's lock is named in one box; the previous result stays.
        fx->ui.clear();
        v.chfldSrch[size_t(age)]->setChecked(false);
        const int name = row(v, "Name");
        v.chfldSrch[size_t(name)]->setChecked(true);
        v.txtSrcFld[size_t(name)]->setText("smith");
        fx->ui.answerMsgBox(vb::vbOK);
        {
            testfaults::OtherProgramLock lock(path);
            v.cmdSearch_Click();
        }
        QCOMPARE(fx->ui.messages(),
                 QStringList{"Database is Locked by another program, the search was not run. Please try again later."});
    }

    // The search and the clear name a read-only file, or the unwritable folder of a writable one.
    void readOnlyFolderNamed_data() {
        QTest::addColumn<bool>("folderOnly");
        QTest::newRow("read-only file") << false;
        QTest::newRow("read-only folder") << true;
    }
    void readOnlyFolderNamed() {
        QFETCH(bool, folderOnly);
        const QString folder = QFileInfo(path).absolutePath(), target = folderOnly ? folder : path;
        const auto rights = QFile::permissions(target);
        QFile::setPermissions(target, QFileDevice::ReadOwner | (folderOnly ? QFileDevice::ExeOwner : QFileDevice::ReadOwner));
        frmSearch& v = open(path);
        v.txtKeySrch[0]->setText("red");
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        v.cmdSearch_Click();
        v.cmdClear_Click();
        QFile::setPermissions(target, rights);
        QCOMPARE(fx->ui.messages(), QStringList(2, folderOnly ? "Operation Cannot Be performed.  The folder '" + folder +
                                                                    "' of the database may not be written"
                                                              : search::readOnlyText()));
    }

    // The clear resets the marks but SrchMemo, the rows, the keywords and the notes box.
    void clearResetsCriteriaAndMarks() {
        frmSearch& v = open(path);
        v.chkMemoSrch->setChecked(true);
        v.txtmemo->setText("sea");
        v.txtKeySrch[0]->setText("red");
        v.cmdSearch_Click();
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(v.ResultModel()->rowCount(), 2);
        v.cmdClear_Click();
        QCOMPARE(testdb::cli(path, "SELECT count(*) FROM UserTable WHERE RptFlg = 1 OR SrchInt > 0 OR SrchKey > 0"),
                 QString("0"));
        QCOMPARE(testdb::cli(path, "SELECT group_concat(TolvaneID) FROM UserTable WHERE SrchMemo > 0"), QString("1,4"));
        QVERIFY(!v.chkMemoSrch->isChecked() && !v.txtmemo->isEnabled());
        QCOMPARE(v.txtmemo->text(), QString("Search For Text in Notes"));
        QCOMPARE(v.txtKeySrch[0]->text(), QString());
        QVERIFY(!Module1::SrchFlg && !shown(v.grdSrchRes));
        // Cleared again with the box unticked, the prompt keeps its colon.
        v.cmdClear_Click();
        QCOMPARE(v.txtmemo->text(), QString("Search For Text in Notes:"));
    }

    // Ids above 32,767 are picked from the grid; asking whether results show never loads the view.
    void largeIdsAndNoLoadOnRead() {
        testdb::exec(path, "INSERT INTO UserTable (TolvaneID, Name, SrchInt, SrchKey, RptFlg, Active) "
                           "VALUES (40000, 'far away', 0, 0, 0, 0)");
        frmSearch& v = open(path);
        v.Unload();
        QVERIFY(!v.ResultsVisible() && !v.IsLoaded());
        v.Load();
        const int name = row(v, "Name");
        v.chfldSrch[size_t(name)]->setChecked(true);
        v.txtSrcFld[size_t(name)]->setText("far");
        v.cmdSearch_Click();
        v.grdSrchRes_Click(0);
        QCOMPARE(Module1::CurRecID, 40000);
    }

    // The keyword list is the entry view's own after the open and each record command or field rename there.
    void keywordListIsTheEntryViewsOwn_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("listed");   // a keyword the list holds afterwards ("-": one it no longer holds)
        QTest::newRow("open") << "open" << "O'Brien";
        QTest::newRow("save") << "save" << "Violet";
        QTest::newRow("add") << "add" << "Violet";
        QTest::newRow("delete") << "delete" << "-blue";
        QTest::newRow("rename") << "rename" << "Green";
    }
    void keywordListIsTheEntryViewsOwn() {
        QFETCH(QString, command);
        QFETCH(QString, listed);
        frmSearch& v = open(path);
        DataInput& entry = DataInput::instance();
        fx->main->SelectTab(1);
        if (command == "add") { entry.cmdAction_Click(0); entry.flddata[1]->setText("Zed"); }
        if (command == "delete") { entry.adoUserTbl.Recordset().SetBookmark(2); fx->ui.answerMsgBox(vb::vbYes); }   // blue, red
        if (command == "rename") fx->ui.answerMsgBox(vb::vbOK).answerInput("Title");
        if (command == "save" || command == "add") entry.Keywrd[2]->setText("Violet");
        entry.cmdAction_Click(command == "delete" ? 1 : 3);
        if (command == "rename") entry.Label1_DblClick(1);
        fx->main->SelectTab(2);
        QCOMPARE(items(v.lstKeywrd), items(entry.lstKeywrd));
        QCOMPARE(items(v.lstKeywrd).contains(listed.mid(listed.startsWith('-'))), !listed.startsWith('-'));
        QVERIFY(!Module1::KeyListChg);
    }

    // A file-path row opens the picker when ticked, and a cancelled picker leaves the box as it was.
    void filePickerOfAPathRow() {
        frmSearch& v = open(path);
        const int photo = row(v, "Photo");
        fx->ui.answerOpen("/pics/b.png");
        v.chfldSrch[size_t(photo)]->setChecked(true);
        QCOMPARE(v.txtSrcFld[size_t(photo)]->text(), QString("/pics/b.png"));
        QCOMPARE(fx->ui.requests.last().dialog.DialogTitle, QString("Select File "));
        fx->ui.answerOpen("");
        v.txtSrcFld_GotFocus(photo);
        QCOMPARE(v.txtSrcFld[size_t(photo)]->text(), QString("/pics/b.png"));
        QCOMPARE(fx->ui.messages(), QStringList());
    }

    // The picker of a file-path row opens when the user ticks the row or moves into the box, never
    // when the focus comes back to it: a click on Search (a button that takes no focus) runs the search.
    void filePathSearchByMouse() {
        fx->main->show();
        QApplication::setActiveWindow(fx->main);
        QVERIFY(QTest::qWaitForWindowActive(fx->main));
        fx->ui.emulateModal = true;
        frmSearch& v = open(path);
        const int photo = row(v, "Photo");
        QLineEdit* box = v.txtSrcFld[size_t(photo)];
        fx->ui.answerOpen("");
        QTest::mouseClick(v.chfldSrch[size_t(photo)], Qt::LeftButton, {}, QPoint(6, 8));
        QTRY_COMPARE_WITH_TIMEOUT(fx->ui.requests.size(), 1, 2000);
        QVERIFY(box->hasFocus());
        QTest::keyClicks(box, "a.jpg");
        for (int click = 0; click < 2; ++click) {
            QTest::mouseClick(v.cmdSearch.data(), Qt::LeftButton);
            QTest::mouseClick(v.Widget(), Qt::LeftButton, {}, QPoint(2, 2));
        }
        QCoreApplication::processEvents();
        QCOMPARE(fx->ui.requests.size(), 1);
        QVERIFY(Module1::SrchFlg && shown(v.grdSrchRes));
        QCOMPARE(v.ResultModel()->rowCount(), 1);
        // Moving into the box by Tab or by a click opens it.
        fx->ui.answerOpen("").answerOpen("");
        v.chfldSrch[size_t(photo)]->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(v.chfldSrch[size_t(photo)], Qt::Key_Tab);
        QTRY_COMPARE_WITH_TIMEOUT(fx->ui.requests.size(), 2, 2000);
        v.cmboSort->setFocus(Qt::OtherFocusReason);
        QTest::mouseClick(box, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(fx->ui.requests.size(), 3, 2000);
    }

    // Dates show in the locale's short form everywhere: the date pickers, the criteria box, the grid.
    void datesInTheLocaleForm_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("born");
        QTest::addColumn<QString>("range");
        QTest::newRow("en_GB") << "en_GB" << "15/03/2024" << "01/03/2024 12:00 am - 31/03/2024 11:59 pm";
        QTest::newRow("en_US") << "en_US" << "3/15/2024" << "3/1/2024 12:00 AM - 3/31/2024 11:59 PM";
    }
    void datesInTheLocaleForm() {
        QFETCH(QString, locale);
        QFETCH(QString, born);
        QFETCH(QString, range);
        LocaleScope scope(qPrintable(locale));
        frmSearch& v = open(path);
        QStringList pickers;
        fx->ui.answerModal([&](QDialog&) {
            DlgToFrmDte& d = DlgToFrmDte::instance();
            d.DTDteFrm->setDate(QDate(2024, 3, 1));
            d.DTDteTo->setDate(QDate(2024, 3, 31));
            pickers << d.DTDteFrm->text() << d.DTDteTo->text();
            d.OKButton_Click();
            return int(QDialog::Accepted);
        });
        const int r = row(v, "Born");
        v.chfldSrch[size_t(r)]->setChecked(true);
        QCOMPARE(v.txtSrcFld[size_t(r)]->text(), range);
        QCOMPARE(pickers, (QStringList{range.section(' ', 0, 0), range.section(' ', 4, 4)}));
        v.cmdSearch_Click();
        QCOMPARE(v.ResultModel()->rowCount(), 1);
        QCOMPARE(column(v, 0, "Born"), born);
    }

    void dateRangeDialog() {
        DlgToFrmDte& d = DlgToFrmDte::instance();
        // Defaults: today, 12:00 AM to 11:59 PM.
        fx->ui.answerModal([&](QDialog&) {
            d.OKButton_Click();
            return int(QDialog::Accepted);
        });
        d.ShowModal();
        const QString today = vb::Format(QDate::currentDate(), "Short Date");
        QCOMPARE(d.FrmDtTm, today + " 12:00 AM");
        QCOMPARE(d.ToDtTm, today + " 11:59 PM");
        QVERIFY(!d.bDteCancel);
        // A to date before the from date is refused and the dialog stays; corrected, it closes.
        fx->ui.answerModal([&](QDialog& dlg) {
            d.DTDteTo->setDate(QDate::currentDate().addDays(-1));
            d.OKButton_Click();
            const bool stayed = dlg.result() != QDialog::Accepted && d.bDteCancel && d.IsLoaded();
            d.DTDteTo->setDate(QDate::currentDate());
            d.DTToTime->setTime(QTime(0, 0));   // the same day, earlier than the from time: accepted
            d.OKButton_Click();
            return stayed ? int(QDialog::Accepted) : int(QDialog::Rejected);
        });
        fx->ui.answerMsgBox(vb::vbOK);
        QCOMPARE(d.ShowModal(), int(QDialog::Accepted));
        QCOMPARE(fx->ui.messages(), QStringList{"To date cannot be before from Date, Please re-enter date "});
        QCOMPARE(fx->ui.titles(), QStringList{"Date Entry"});
        QVERIFY(!d.bDteCancel);
        QCOMPARE(d.ToDtTm, today + " 12:00 AM");
    }
};

RV_TEST(SearchViewTest)
#include "SearchViewTest.moc"
