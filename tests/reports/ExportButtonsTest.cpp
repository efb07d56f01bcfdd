// The reports view's spreadsheet, output database and mailing-label buttons.
#include "ExportTestUtil.h"
#include "OdtRead.h"
#include "XlsxRead.h"
#include "reports/ExportTexts.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/FrmMailLbls.h"
#include "reports/frmReports.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QWindow>

using namespace exporttest;
using namespace testdb;

class ExportButtonsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    std::unique_ptr<Desktop> desk;

    // The sample database (Name, Age, Price, Born, Cost, Active, Photo, notes, three keywords)
    // with three records, the second and third the search's hits; the reports view loaded on it.
    frmReports& openView() {
        const QString path = buildSample(fx->path("s.mdb"));
        exec(path, "INSERT INTO UserTable (Name, Age, Cost, Active, Memofld, KeyWord2, SrchInt, SrchKey, RptFlg) VALUES "
                   "('Ann', 42, 1.5, 1, 'n1', 'k', 0, 0, 0), ('Bob', 7, 2, 0, NULL, NULL, 0, 0, 1), "
                   "('Cy', 19, 3, 0, 'n3', NULL, 0, 0, 1)");
        openDb(path);
        frmReports& v = frmReports::instance();
        v.Load();
        return v;
    }
    static void tick(frmReports& v, std::initializer_list<int> boxes) {
        for (int k : boxes) {
            v.ChkRepLbl[size_t(k)]->setChecked(true);
            v.ChkRepLbl_Click(k);
        }
    }
    void choose(bool selected) {
        fx->ui.answerModal([selected](QDialog& dlg) {
            const auto options = dlg.findChildren<QRadioButton*>();
            for (QRadioButton* o : options)
                if (o->objectName().contains(selected ? "Usr" : "All")) o->click();
            dlg.findChild<QPushButton*>("cmdApply")->click();
            return 1;
        });
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>();
        desk = std::make_unique<Desktop>(*fx);
    }
    void cleanup() {
        desk.reset();
        fx.reset();
    }

    void spreadsheetOfTheTickedFieldsInSortOrder() {
        frmReports& v = openView();
        tick(v, {5, 1});
        v.chkInclMemo->click();
        v.cmboAllRecs->setCurrentText("Age");
        choose(true);
        v.OptExcel->click();
        QVERIFY(!v.OptExcel->isChecked());
        QCOMPARE(desk->files().size(), 1);
        const auto c = readSheet(QDir(vb::exportFolder()).filePath(desk->files().first()));
        QCOMPARE(QStringList({c["A1"].value, c["B1"].value, c["C1"].value}), QStringList({"Name", "Cost", "Memofld"}));
        QCOMPARE(QStringList({c["A2"].value, c["A3"].value, c["A4"].value}), QStringList({"Bob", "Cy", "Ann"}));
        QCOMPARE(desk->opened.size(), 1);
    }

    void databaseOfTheSearchResult() {
        frmReports& v = openView();
        Module1::SrchFlg = true;
        Module1::SrchSQL = "SELECT * FROM UserTable WHERE RptFlg = 1";
        v.OptSrchRes->setChecked(true);
        v.OptSrchRes_Click();
        const QString out = fx->path("hits.mdb");
        choose(false);
        fx->ui.answerSave(out).answerMsgBox(vb::vbOK);
        v.OptExpDB->click();
        QCOMPARE(fx->ui.messages(), QStringList{reports::texts::created(out)});
        QVERIFY(!v.OptExpDB->isChecked());
        QCOMPARE(cli(out, "SELECT group_concat(Name || ':' || ifnull(Memofld, '-'), ',') FROM UserTable"), QString("Bob:-,Cy:n3"));
        QCOMPARE(v.rptDialog.FileName, out);   // the view's save dialog keeps the name
    }

    // With all twenty field slots taken, the notes still reach the view and the output database.
    void notesOfATwentyFieldDatabase() {
        Rows rows;
        for (int i = 1; i <= 20; ++i) rows << DbFieldRow{QStringLiteral("F%1").arg(i), "Text", ""};
        const QString path = build(fx->path("t.mdb"), rows, true);
        exec(path, "INSERT INTO UserTable (F1, F20, Memofld, SrchInt, SrchKey, RptFlg) VALUES ('a', 'z', 'the note', 0, 0, 0)");
        openDb(path);
        frmReports& v = frmReports::instance();
        v.Load();
        QVERIFY(!v.chkInclMemo->isHidden());
        QCOMPARE(v.ChkRepLbl[20]->text(), QString("F20"));
        tick(v, {20});
        v.chkInclMemo->click();
        const QString out = fx->path("notes.mdb");
        choose(true);
        fx->ui.answerSave(out).answerMsgBox(vb::vbOK);
        v.OptExpDB->click();
        QCOMPARE(fx->ui.messages(), QStringList{reports::texts::created(out)});
        QCOMPARE(cli(out, "SELECT F20 || ':' || Memofld FROM UserTable"), QString("z:the note"));
    }

    void labelsFromTheButtonAndTheWindowGoesWithTheView() {
        frmReports& v = openView();
        v.OptMailLbls->click();
        FrmMailLbls& w = FrmMailLbls::instance();
        QVERIFY(w.IsLoaded() && w.Visible());
        // Owned by the view's window, so it stays in front of it; the button stays set meanwhile.
        QCOMPARE(w.Dialog()->parentWidget(), v.Widget()->window());
        QVERIFY(w.Dialog()->isWindow() && w.Dialog()->windowHandle());
        QCOMPARE(w.Dialog()->windowHandle()->transientParent(), v.Widget()->window()->windowHandle());
        QVERIFY(v.OptMailLbls->isChecked());
        w.cmbMail[0]->setCurrentText("Name");
        w.cmbMail[4]->setCurrentText("PhotoFP");
        w.cmdCreate->click();
        QVERIFY(!w.IsLoaded());
        QVERIFY(!v.OptMailLbls->isChecked());
        QCOMPARE(labelsOf(QDir(vb::exportFolder()).filePath(desk->files().first())),
                 (QList<QStringList>{{"Ann ", "Bob ", "Cy "}}));

        v.OptMailLbls->click();
        QVERIFY(w.IsLoaded());
        v.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w.IsLoaded());
    }

    void everyCloseOfTheLabelsWindowReleasesTheButton_data() {
        QTest::addColumn<QString>("way");
        for (const char* way : {"Cancel", "Esc", "close box"}) QTest::newRow(way) << QString(way);
    }
    void everyCloseOfTheLabelsWindowReleasesTheButton() {
        QFETCH(QString, way);
        frmReports& v = openView();
        v.Widget()->window()->show();
        v.OptMailLbls->click();
        FrmMailLbls& w = FrmMailLbls::instance();
        QVERIFY(w.IsLoaded() && v.OptMailLbls->isChecked());
        QDialog* dlg = w.Dialog();
        if (way == "Cancel") QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
        if (way == "Esc") QTest::keyClick(dlg->focusWidget() ? dlg->focusWidget() : dlg, Qt::Key_Escape);
        if (way == "close box") dlg->close();
        QVERIFY(!w.IsLoaded());
        QVERIFY(!v.OptMailLbls->isChecked());
    }
};

RV_TEST(ExportButtonsTest)
#include "ExportButtonsTest.moc"
