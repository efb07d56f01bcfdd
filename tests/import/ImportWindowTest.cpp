#include "ImportDbUtil.h"
#include "LoFixture.h"
#include "XlsFixture.h"
#include "create/CreateDatabase.h"
#include "create/frmDtaTransfer.h"
#include "shell/Module1.h"
#include "support/Fixture.h"
#include "support/TestRegistry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using importtest::hidden;
using importtest::layout;

namespace {
QStringList rows(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
    return out;
}
}  // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir books;
    QString book;
    std::unique_ptr<Fixture> fx;

    frmDtaTransfer& w() { return frmDtaTransfer::instance(); }

    // The window shown on the standard workbook, as the File menu's command shows it.
    void showWindow() { showWindowOn(book); }
    void showWindowOn(const QString& workbook, int messages = 0) {
        fx->ui.answerOpen(workbook);
        for (int i = 0; i < messages; ++i) fx->ui.answerMsgBox(vb::vbOK);
        vb::CommonDialog dlg;
        ImportExcelTable(dlg);
        QVERIFY(w().IsLoaded());
    }

    // Picks a worksheet as the user does.
    void pickSheet(const QString& sheet) {
        const int i = w().cmboWorksheet->findText(sheet);
        QVERIFY(i >= 0);
        w().cmboWorksheet->setCurrentIndex(i);
        emit w().cmboWorksheet->activated(i);
    }

    // Selects the row of lstFrom that names the column, then "Add>>".
    void add(const QString& column) {
        const auto found = w().lstFrom->findItems(column + ",", Qt::MatchStartsWith);
        QVERIFY2(!found.isEmpty(), qPrintable(column));
        w().lstFrom->setCurrentItem(found.first());
        w().cmdAdd->click();
    }

    // "Import" to path, answering the message boxes that follow the save dialog.
    void import(const QString& path, const QList<int>& answers = {}) {
        fx->ui.answerSave(path);
        for (int a : answers) fx->ui.answerMsgBox(a);
        w().CmdCreate->click();
    }

    // Nothing but the wanted files in the folder: no partial or temporary file is left.
    QStringList filesIn(const QString& folder) {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private Q_SLOTS:
    void initTestCase() {
        book = books.filePath("standard.xls");
        QVERIFY2(xlsfixture::makeStandard(book), "python3-xlwt is needed to make the test workbook");
    }
    void init() { fx = std::make_unique<Fixture>(); }
    void cleanup() { fx.reset(); }

    void menuCommandShowsTheWindow() {
        fx->ui.answerOpen(book);
        vb::CommonDialog dlg;
        ImportExcelTable(dlg);
        const auto& asked = fx->ui.requests.first().dialog;
        QCOMPARE(asked.DialogTitle, QString("Open Existing Spreadsheet"));
        QCOMPARE(asked.Filter, QString("All Files (*.*)|*.*|xls Files(*.xls)|*.xls"));
        QCOMPARE(Module1::GetSpreadsheetPath(), book);
        QVERIFY(w().Visible());
        QCOMPARE(w().Widget()->windowTitle(), QString("Import Existing DataSource"));
        QCOMPARE(w().cmboWorksheet->count(), 3);
        QCOMPARE(w().cmboWorksheet->currentText(), QString("People"));
        QCOMPARE(rows(w().lstFrom), (QStringList{"Name,   People", "Age,   People", "Born,   People", "Salary,   People",
                                                 "Remarks,   People", "F6,   People", "Code,   People"}));
        QVERIFY(fx->ui.messages().isEmpty());

        // Cancelling the open dialog shows nothing and leaves the window as it was.
        unloadAllForms();
        fx->ui.answerOpen("");
        ImportExcelTable(dlg);
        QVERIFY(!w().IsLoaded());
        QVERIFY(fx->ui.messages().isEmpty());
    }

    // After a database was closed the window still reads the workbook, and it never closes or
    // opens a database itself.
    void worksAfterADatabaseWasClosed() {
        Module1::CloseConfirmed = true;
        showWindow();
        QCOMPARE(w().cmboWorksheet->count(), 3);
        QCOMPARE(w().lstFrom->count(), 7);
        QVERIFY(!CreateDatabase::instance().IsLoaded());
        QVERIFY(fx->ui.messages().isEmpty());
        QVERIFY(Module1::CloseConfirmed);
        QVERIFY(!Module1::DBOpen);
    }

    void columnsFromTwoWorksheets() {
        showWindow();
        add("Age");
        add("Name");
        pickSheet("Stock Items");
        // The source list shows the new worksheet; the import list keeps its rows.
        QCOMPARE(rows(w().lstFrom).first(), QString("Item,   Stock Items"));
        QCOMPARE(w().ExprtMain().ExportFunct().Count(), 5);
        add("Added");
        add("Price");
        QCOMPARE(rows(w().lstTo), (QStringList{"Age, 5, People", "Name, 202, People", "Added, 7, Stock Items",
                                               "Price, 5, Stock Items"}));
        w().txtNoKey->setText("2");
        w().chkMemo->setChecked(true);

        const QString first = fx->path("DBFiles/first.mdb");
        import(first);
        QVERIFY2(fx->ui.messages().isEmpty(), qPrintable(fx->ui.messages().join(" / ")));
        QCOMPARE(fx->ui.requests.last().dialog.DialogTitle, QString("Create New Database"));
        const QString expected = "TolvaneID:3 | Age:5 | Name:202 | Added:7 | Price:5 | Memofld:203 | KeyWord1:202 | "
                                 "KeyWord2:202 | " + hidden(true);
        QCOMPARE(layout(first), expected);
        QCOMPARE(importtest::contents(first), QString("UserTable rows 0"));
        // The window stays as it was, and the open database is untouched.
        QCOMPARE(w().lstTo->count(), 4);
        QVERIFY(Module1::CurrentDBPath.isEmpty() && !Module1::DBOpen);

        // "Import" again builds a second, identical database.
        const QString second = fx->path("DBFiles/second.mdb");
        import(second);
        QCOMPARE(layout(second), expected);
        QCOMPARE(filesIn(fx->path("DBFiles")), (QStringList{"first.mdb", "second.mdb"}));
    }

    void sameColumnTwice() {
        showWindow();
        add("Name");
        add("Name");
        QCOMPARE(rows(w().lstTo), (QStringList{"Name, 202, People", "Name, 202, People"}));
        w().lstTo->setCurrentRow(0);
        w().cmdRemove->click();
        QCOMPARE(rows(w().lstTo), QStringList{"Name, 202, People"});
        QCOMPARE(w().ImprtMain().ImportFunct().Item(1)->ID(), QString("FLD02"));
    }

    void listMessages_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("chosen");   // rows in the import list before
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        QTest::newRow("add, nothing selected") << "add" << 0 << "Please select a field to move." << "Ravelstow";
        QTest::newRow("remove, empty list") << "remove" << 0 << "The List Box Contains 0 items." << "Ravelstow";
        QTest::newRow("remove, nothing selected") << "remove" << 2 << "Please select item to be removed."
                                                  << "Import Function";
    }
    void listMessages() {
        QFETCH(QString, action);
        QFETCH(int, chosen);
        QFETCH(QString, message);
        QFETCH(QString, title);
        showWindow();
        for (int i = 0; i < chosen; ++i) add("Age");
        w().lstFrom->clearSelection();
        w().lstTo->clearSelection();
        fx->ui.answerMsgBox(vb::vbOK);
        (action == "add" ? w().cmdAdd : w().cmdRemove)->click();
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QCOMPARE(w().lstTo->count(), chosen);
        QCOMPARE(w().ImprtMain().ImportFunct().Count(), chosen);
    }

    void closeAndShowAgain() {
        showWindow();
        pickSheet("Stock Items");
        add("Item");
        w().txtNoKey->setText("3");
        // The close box.
        w().Widget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w().IsLoaded());
        QVERIFY(!w().Workbook().IsOpen());
        showWindow();
        QCOMPARE(w().lstTo->count(), 0);
        QCOMPARE(w().ImprtMain().ImportFunct().Count(), 0);
        QCOMPARE(w().cmboWorksheet->currentText(), QString("People"));
        QCOMPARE(w().txtNoKey->text(), QString());
    }

    void unreadableWorkbook() {
        const QString notBook = fx->path("notes.xls");
        QFile f(notBook);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("just text");
        f.close();
        fx->ui.answerOpen(notBook).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        vb::CommonDialog dlg;
        ImportExcelTable(dlg);
        QCOMPARE(fx->ui.messages().first(), QString::number(vb::err::E_FAIL_));
        QVERIFY(fx->ui.messages().last().contains(notBook));
        QCOMPARE(fx->ui.titles(), (QStringList{"Ravelstow", "Import Function"}));
        // The window stays open, empty.
        QVERIFY(w().Visible());
        QCOMPARE(w().cmboWorksheet->count(), 0);
        QCOMPARE(w().lstFrom->count(), 0);
    }

    void emptyWorksheetAndEmptyList() {
        showWindow();
        add("Name");
        pickSheet("Empty");
        QCOMPARE(w().lstFrom->count(), 0);
        QCOMPARE(w().lstTo->count(), 1);
        w().lstTo->setCurrentRow(0);
        w().cmdRemove->click();
        // An empty import list builds the fixed columns only.
        const QString path = fx->path("DBFiles/bare.mdb");
        import(path);
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(layout(path), "TolvaneID:3 | " + hidden(false));
    }

    void existingFile_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("empty database, Cancel") << 0 << QList<int>{vb::vbCancel} << QStringList{"Database already Exists."}
                                                << false;
        QTest::newRow("records, OK twice") << 2 << QList<int>{vb::vbOK, vb::vbOK}
                                           << QStringList{"Database already Exists.", "Database Contains Records."} << true;
    }
    void existingFile() {
        QFETCH(int, records);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, titles);
        QFETCH(bool, replaced);
        QDir().mkpath(fx->path("DBFiles"));
        const QString path = testdb::build(fx->path("DBFiles/old.mdb"), {{"Title", "Text", ""}});
        testdb::addRows(path, "Title", records);
        showWindow();
        add("Born");
        import(path, answers);
        QCOMPARE(fx->ui.titles(), titles);
        for (const QString& m : fx->ui.messages()) QCOMPARE(m, QString("Overwrite Database?"));
        QCOMPARE(layout(path), replaced ? "TolvaneID:3 | Born:7 | " + hidden(false) : "TolvaneID:3 | Title:202 | " + hidden(false));
        QCOMPARE(importtest::contents(path), QString("UserTable rows %1").arg(replaced ? 0 : records));
        QCOMPARE(filesIn(fx->path("DBFiles")), QStringList{"old.mdb"});
    }

    // A failed build reports the error and leaves no file behind, so the next import to the
    // same path works; limits are refused before the file is even asked for.
    void refusedImport_data() {
        QTest::addColumn<QString>("case_");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("titles");
        const QString bad = QString::number(vb::err::DB_E_ERRORSINCOMMAND);
        QTest::newRow("refused name") << "refused" << QStringList{bad, "*Unit.Price*"}
                                      << QStringList{"Ravelstow", "Import Function"};
        QTest::newRow("duplicate name")
            << "duplicate" << QStringList{"The field name 'Name' is in the import list twice. Please remove one of them."}
            << QStringList{"Import Function"};
        QTest::newRow("21st column")
            << "columns" << QStringList{"A database can have at most 20 fields. Please remove fields from the import list."}
            << QStringList{"Import Function"};
        QTest::newRow("21 keywords") << "keywords" << QStringList{"Enter number of keywords between 0-20."}
                                     << QStringList{"Keyword Definition"};
        QTest::newRow("keywords not a number") << "typo" << QStringList{QString::number(vb::err::TypeMismatch), "Type mismatch"}
                                               << QStringList{"Ravelstow", "Import Function"};
    }
    void refusedImport() {
        QFETCH(QString, case_);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, titles);
        showWindow();
        const bool limit = case_ == "columns" || case_ == "keywords" || case_ == "typo" || case_ == "duplicate";
        if (case_ == "refused") {
            pickSheet("Stock Items");
            add("Item");
            add("Unit.Price");
        } else if (case_ == "duplicate") {
            add("Name");
            add("Age");
            add("Name");
        } else if (case_ == "columns") {
            for (int i = 0; i < 21; ++i) add("Salary");
            add("Remarks");
        } else {
            add("Name");
            w().txtNoKey->setText(case_ == "keywords" ? "21" : "2x");
        }
        const QString path = fx->path("DBFiles/import.mdb");
        if (!limit) fx->ui.answerSave(path);
        for (int i = 0; i < messages.size(); ++i) fx->ui.answerMsgBox(vb::vbOK);
        w().CmdCreate->click();
        QCOMPARE(fx->ui.titles(), titles);
        const QStringList got = fx->ui.messages();
        QCOMPARE(got.size(), messages.size());
        for (int i = 0; i < got.size(); ++i) {
            if (messages[i].startsWith('*')) QVERIFY2(got[i].contains(messages[i].mid(1).chopped(1)), qPrintable(got[i]));
            else QCOMPARE(got[i], messages[i]);
        }
        QVERIFY(!QFile::exists(path));
        QCOMPARE(filesIn(fx->path("DBFiles")), QStringList{});

        // Once the list is put right, the import to the same path works.
        fx->ui.clear();
        while (w().lstTo->count() > 0) {
            w().lstTo->setCurrentRow(0);
            w().cmdRemove->click();
        }
        w().txtNoKey->clear();
        pickSheet("People");
        add("Age");
        import(path);
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(layout(path), "TolvaneID:3 | Age:5 | " + hidden(false));
    }

    // Workbooks saved by LibreOffice. A text of 17,000 characters in one worksheet keeps no
    // worksheet from being listed and imported.
    void longTextWorkbook() {
        const QString dir = lofixture::folder();
        QVERIFY2(!dir.isEmpty(), "LibreOffice (libreoffice-calc-nogui) is needed to make the test workbooks");
        showWindowOn(dir + "/long.xls");
        QVERIFY(fx->ui.messages().isEmpty());
        QStringList sheets;
        for (int i = 0; i < w().cmboWorksheet->count(); ++i) sheets << w().cmboWorksheet->itemText(i);
        QCOMPARE(sheets, (QStringList{"Good", "Long", "After"}));
        pickSheet("Long");
        add("Text");
        pickSheet("After");
        add("Price");
        QCOMPARE(rows(w().lstTo), (QStringList{"Text, 203, Long", "Price, 5, After"}));
        const QString path = fx->path("DBFiles/long.mdb");
        import(path);
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(layout(path), "TolvaneID:3 | Price:5 | " + hidden(false));
    }

    // Formula cells are named and typed by their results; the columns whose formulas give no
    // result are named to the user.
    void formulaWorkbook() {
        const QString dir = lofixture::folder();
        QVERIFY2(!dir.isEmpty(), "LibreOffice (libreoffice-calc-nogui) is needed to make the test workbooks");
        showWindowOn(dir + "/formulas.xls", 1);
        QCOMPARE(fx->ui.messages(), QStringList{"These columns of the worksheet 'Sums' hold formulas whose results cannot "
                                                "be read: Bad. Their types are guessed from their other cells only."});
        QCOMPARE(fx->ui.titles(), QStringList{"Import Function"});
        QCOMPARE(rows(w().lstFrom), (QStringList{"Name,   Sums", "Qty,   Sums", "Total,   Sums", "Label,   Sums",
                                                 "Flag,   Sums", "Bad,   Sums"}));
        add("Total");
        add("Label");
        QCOMPARE(rows(w().lstTo), (QStringList{"Total, 5, Sums", "Label, 202, Sums"}));
    }

    // Names the new table cannot take are refused before the file is asked for. The worksheet
    // "Names" has the columns Name, Age, Name, TolvaneID, KeyWord1, RptFlg (rows 0 to 5).
    void namesRefused_data() {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("message");
        const QString own = "The field name '%1' is the name of one of the database's own columns. "
                            "Please remove it from the import list.";
        QTest::newRow("twice") << QList<int>{0, 1, 2}
                               << "The field name 'Name' is in the import list twice. Please remove one of them.";
        QTest::newRow("TolvaneID") << QList<int>{1, 3} << own.arg("TolvaneID");
        QTest::newRow("KeyWord1") << QList<int>{4} << own.arg("KeyWord1");
        QTest::newRow("RptFlg") << QList<int>{5} << own.arg("RptFlg");
    }
    void namesRefused() {
        QFETCH(QList<int>, rows);
        QFETCH(QString, message);
        const QString dir = lofixture::folder();
        QVERIFY2(!dir.isEmpty(), "LibreOffice (libreoffice-calc-nogui) is needed to make the test workbooks");
        showWindowOn(dir + "/formulas.xls", 1);   // the formulas of the first worksheet
        pickSheet("Names");
        for (int row : rows) {
            w().lstFrom->setCurrentRow(row);
            w().cmdAdd->click();
        }
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK);
        w().CmdCreate->click();
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{"Import Function"});
        QCOMPARE(filesIn(fx->path("DBFiles")), QStringList{});
    }

    void cancelledSaveDialog() {
        showWindow();
        add("Name");
        import("");
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(filesIn(fx->path("DBFiles")), QStringList{});
        QCOMPARE(w().lstTo->count(), 1);
    }

    // The open database is never replaced by an import.
    void openDatabaseRefused() {
        QDir().mkpath(fx->path("DBFiles"));
        const QString path = testdb::build(fx->path("DBFiles/open.mdb"), {{"Title", "Text", ""}});
        openDatabase(path);
        showWindow();
        add("Name");
        import(fx->path("DBFiles/../DBFiles/open.mdb"), {vb::vbOK});
        QCOMPARE(fx->ui.messages(), QStringList{"This Database Is Open And Cannot Be Overwritten, Please Choose Another Filename"});
        QCOMPARE(layout(path), "TolvaneID:3 | Title:202 | " + hidden(false));
    }
};

RV_TEST(ImportWindowTest)
#include "ImportWindowTest.moc"
