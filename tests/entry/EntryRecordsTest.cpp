// The record commands on real files: add, cancel, save, delete, reset, with the stored values
// read back through the sqlite3 program.
#include "EntryTestUtil.h"
#include "format/LocaleScope.h"
#include "shell/frmMain.h"
#include "support/TestRegistry.h"

#include <QTabBar>

using namespace entrytest;

class EntryRecordsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    frmMain* m = nullptr;

    QString rowsDb(int n, const Rows& rows = {{"Name", "Text", ""}, {"Age", "Number/Integer", ""}}, bool notes = true,
                   int keywords = 1) {
        const QString path = build(fx->path("r.mdb"), rows, notes, keywords);
        addRows(path, "Name", n);
        return path;
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        m = fx->main;
    }
    void cleanup() { fx.reset(); }

    void addTypeAndSave() {
        const QString path = build(fx->path("all.mdb"), everyType(), true, 3);
        DataInput& v = openView(path);
        QVERIFY(m->TabStrip1->isEnabled());
        v.cmdAction_Click(0);
        QCOMPARE(v.cmdAdd->text(), QString("&Cancel"));
        QVERIFY(v.bAddingRec);
        QVERIFY(m->TabStrip1->isEnabled());          // an empty table keeps the tab strip
        QCOMPARE(v.lblRecord->text(), QString("Record: 1 of 1"));
        QCOMPARE(v.flddata[6]->text(), QString("FALSE"));
        QCOMPARE(v.CmboTF[6]->currentIndex(), 0);
        QCOMPARE(v.Gate()->Pending(), v.flddata[1].data());

        v.flddata[1]->setText("Ann");
        v.flddata[2]->setText("42");
        v.flddata[3]->setText("3.14159");
        v.flddata[4]->setText("2024-03-05 14:07");
        v.flddata[5]->setText("$12.50");
        v.CmboTF[6]->setCurrentIndex(1);
        v.CmboTF_Click(6);
        QCOMPARE(v.flddata[6]->text(), QString("True"));
        v.flddata[7]->setText("/tmp/x.txt");
        v.txtmemo->setPlainText("hello");
        v.Keywrd[1]->setText("red");
        v.Keywrd[3]->setText("Red");
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(cli(path, "SELECT Name, Age, Price, Born, Cost, Active, PhotoFP, Memofld, KeyWord1, KeyWord2, KeyWord3, "
                           "SrchMemo FROM UserTable"),
                 QString("Ann|42|3.14|2024-03-05 14:07:00|12.5|1|/tmp/x.txt|hello|red||Red|0"));
        QCOMPARE(v.cmdAdd->text(), QString("+ &Add"));
        QVERIFY(!v.bAddingRec);
        QCOMPARE(v.flddata[3]->text(), QString("3.14"));
        QCOMPARE(v.flddata[5]->text(), QString("$12.50"));
        QCOMPARE(v.CmboTF[6]->currentText(), QString("True"));
        QCOMPARE(v.lstKeywrd->count(), 1);
        QCOMPARE(v.lstKeywrd->item(0)->text(), QString("red"));
        QVERIFY(Module1::KeyListChg);
        QVERIFY(v.cmdNegotiate[0]->isEnabled() && v.cmdAction[1]->isEnabled());
    }

    void addOnRecordsMovesToTheLastAndCancelReturnsThere() {
        DataInput& v = openView(rowsDb(3));
        QCOMPARE(v.flddata[1]->text(), QString("R1"));
        v.cmdAction_Click(0);
        QVERIFY(!m->TabStrip1->isEnabled());
        QCOMPARE(v.lblRecord->text(), QString("Record: 4 of 4"));
        QCOMPARE(v.flddata[1]->text(), QString());
        for (int i = 0; i < 4; ++i) QVERIFY(!v.cmdNegotiate[i]->isEnabled());
        QVERIFY(!v.cmdAction[1]->isEnabled() && !v.cmdAction[4]->isEnabled());
        v.flddata[1]->setText("draft");
        QCOMPARE(v.EditMode(), 2);
        v.cmdAction_Click(0);   // the caption says Cancel
        QCOMPARE(v.flddata[1]->text(), QString("R3"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 3 of 3"));
        QVERIFY(m->TabStrip1->isEnabled());
        QCOMPARE(v.cmdAdd->text(), QString("+ &Add"));
        QCOMPARE(v.EditMode(), 0);
        QCOMPARE(cli(v.adoUserTbl.Connection().Path(), "SELECT count(*) FROM UserTable"), QString("3"));
        QVERIFY(fx->ui.messages().isEmpty());
    }

    void saveNeedsOneDescriptionField_data() {
        QTest::addColumn<int>("filledRow");   // 0: only the keyword and notes are filled
        QTest::newRow("no description field") << 0;
        QTest::newRow("the second") << 2;
    }
    void saveNeedsOneDescriptionField() {
        QFETCH(int, filledRow);
        const QString path = rowsDb(2);
        DataInput& v = openView(path);
        v.cmdAction_Click(0);
        v.Keywrd[1]->setText("kw");
        v.txtmemo->setPlainText("notes");
        if (filledRow) v.flddata[filledRow]->setText("7");
        if (!filledRow) fx->ui.answerMsgBox(vb::vbOK);
        v.cmdAction_Click(3);
        if (!filledRow) {
            QCOMPARE(fx->ui.messages(), QStringList{"Enter information in at least one field, before updating record."});
            QCOMPARE(fx->ui.titles(), QStringList{"Data Entry"});
            QCOMPARE(cli(path, "SELECT count(*) FROM UserTable"), QString("2"));
            QCOMPARE(v.flddata[1]->text(), QString("R2"));
            QVERIFY(m->TabStrip1->isEnabled());
        } else {
            QVERIFY(fx->ui.messages().isEmpty());
            QCOMPARE(cli(path, "SELECT count(*), max(KeyWord1), max(SrchMemo) FROM UserTable WHERE TolvaneID = 3"),
                     QString("1|kw|0"));
            QCOMPARE(v.lblRecord->text(), QString("Record: 3 of 3"));
        }
        QCOMPARE(v.cmdAdd->text(), QString("+ &Add"));
        QVERIFY(!v.bAddingRec);
    }

    void deleteAsksFirst() {
        const QString path = rowsDb(3);
        DataInput& v = openView(path);
        v.cmdNegotiate_Click(2);
        fx->ui.answerMsgBox(vb::vbNo);
        v.cmdAction_Click(1);
        QCOMPARE(fx->ui.requests.last().text, QString("Are you sure you want to delete this record? \r\n"));
        QCOMPARE(fx->ui.requests.last().title, QString("Record Deletion"));
        QCOMPARE(fx->ui.requests.last().style, 276);
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable"), QString("3"));
        QCOMPARE(v.flddata[1]->text(), QString("R2"));

        fx->ui.answerMsgBox(vb::vbYes);
        v.cmdAction_Click(1);
        QCOMPARE(cli(path, "SELECT group_concat(Name) FROM UserTable"), QString("R1,R3"));
        QCOMPARE(v.flddata[1]->text(), QString("R3"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 2 of 2"));

        // A record with changes not saved is not deleted.
        v.flddata[1]->setText("changed");
        fx->ui.answerMsgBox(vb::vbYes).answerMsgBox(vb::vbOK);
        v.cmdAction_Click(1);
        QCOMPARE(fx->ui.messages().last(), QString("Must update or refresh record before deleting!"));
        QCOMPARE(fx->ui.titles().last(), QString("Ravelstow"));
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable"), QString("2"));
    }

    void deletingTheLastRecordEmptiesTheTable() {
        const QString path = rowsDb(1);
        DataInput& v = openView(path);
        fx->ui.answerMsgBox(vb::vbYes).answerMsgBox(vb::vbOK);
        v.cmdAction_Click(1);
        QCOMPARE(fx->ui.messages().last(), QString("Ravelstow cannot locate a record.  Create a record by clicking Add."));
        QCOMPARE(fx->ui.titles().last(), QString("Save Changes"));
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable"), QString("0"));
        QCOMPARE(v.lblRecord->text(), QString("No Records Available"));
        QVERIFY(!v.cmdNegotiate[0]->isEnabled());
        QCOMPARE(v.cmdAdd->text(), QString("+ &Add"));
    }

    void editSaveResetAndMoves() {
        const QString path = rowsDb(3);
        DataInput& v = openView(path);
        v.cmdNegotiate_Click(2);
        v.flddata[1]->setText("Second");
        QCOMPARE(v.EditMode(), 1);
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT Name, SrchMemo FROM UserTable WHERE TolvaneID = 2"), QString("Second|0"));
        QCOMPARE(v.flddata[1]->text(), QString("Second"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 2 of 3"));

        // Reset drops a change and stays on the record.
        v.flddata[1]->setText("dropped");
        v.flddata[2]->setText("5");
        v.cmdAction_Click(4);
        QCOMPARE(v.flddata[1]->text(), QString("Second"));
        QCOMPARE(v.flddata[2]->text(), QString());
        QCOMPARE(v.lblRecord->text(), QString("Record: 2 of 3"));
        QCOMPARE(v.EditMode(), 0);
        QCOMPARE(cli(path, "SELECT Name FROM UserTable WHERE TolvaneID = 2"), QString("Second"));

        // A move stores the change, as a bound form does.
        v.flddata[2]->setText("77");
        v.cmdNegotiate_Click(2);
        QCOMPARE(cli(path, "SELECT Age FROM UserTable WHERE TolvaneID = 2"), QString("77"));
        QCOMPARE(v.flddata[1]->text(), QString("R3"));
        QVERIFY(fx->ui.messages().isEmpty());
    }

    // A value the column cannot take is reported; the record and the user's input stay.
    void refusedValueKeepsTheInput_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("text");
        QTest::newRow("path longer than the column") << 3 << QString(150, 'p');
        QTest::newRow("not a number") << 2 << "12a";
        QTest::newRow("integer out of range") << 2 << "99999999999";
    }
    void refusedValueKeepsTheInput() {
        QFETCH(int, row);
        QFETCH(QString, text);
        const QString path = rowsDb(1, {{"Name", "Text", ""}, {"Age", "Number/Integer", ""}, {"Scan", "FilePath", ""}});
        DataInput& v = openView(path);
        v.cmdAction_Click(0);
        v.flddata[1]->setText("New");
        v.flddata[row]->setText(text);
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages().size(), 1);
        QVERIFY2(fx->ui.messages()[0].startsWith("The record could not be saved: "), qPrintable(fx->ui.messages()[0]));
        QCOMPARE(fx->ui.titles()[0], QString("Save Changes"));
        QCOMPARE(v.flddata[row]->text(), text);
        QCOMPARE(v.flddata[1]->text(), QString("New"));
        QVERIFY(v.bAddingRec);
        QCOMPARE(v.cmdAdd->text(), QString("&Cancel"));
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable"), QString("1"));
        // Corrected, the record is saved.
        v.flddata[row]->setText(row == 2 ? "12" : "/a/b");
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages().size(), 1);
        QCOMPARE(cli(path, "SELECT Name, coalesce(Age, ScanFP) FROM UserTable WHERE TolvaneID = 2"),
                 QString("New|") + (row == 2 ? "12" : "/a/b"));
        QVERIFY(!v.bAddingRec);
    }

    // Dates, decimals and currency shown and saved untouched keep their values, and typed ones are
    // read in the locale's order of day and month, never through a two-digit year.
    void valuesRoundTripUnderTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typedDate");
        QTest::addColumn<QString>("typedCost");
        QTest::newRow("en_US") << "en_US" << "3/5/2024 2:07 PM" << "$1,234.56";
        QTest::newRow("en_GB") << "en_GB" << "05/03/2024 14:07" << "1234.56";
        QTest::newRow("de_DE") << "de_DE" << "05.03.2024 14:07" << "1.234,56";
    }
    void valuesRoundTripUnderTheLocale() {
        QFETCH(QString, locale);
        QFETCH(QString, typedDate);
        QFETCH(QString, typedCost);
        LocaleScope scope(qPrintable(locale));
        const QString path = build(fx->path("d.mdb"), {{"Name", "Text", ""}, {"Born", "Date/Time", ""}, {"Price", "Number/Double", "3"},
                                                  {"Cost", "Currency", ""}}, false, 0);
        exec(path, "INSERT INTO UserTable (Name, Born, Price, Cost, SrchInt, SrchKey) "
                   "VALUES ('a', '1931-12-24 00:00:00', 0.125, 0.5, 0, 0)");
        DataInput& v = openView(path);
        QVERIFY2(v.flddata[2]->text().contains("1931"), qPrintable(v.flddata[2]->text()));
        v.flddata[1]->setText("b");
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT Name, Born, Price, Cost FROM UserTable"), QString("b|1931-12-24 00:00:00|0.125|0.5"));
        v.flddata[2]->setText(typedDate);
        v.flddata[4]->setText(typedCost);
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(cli(path, "SELECT Born, Cost FROM UserTable"), QString("2024-03-05 14:07:00|1234.56"));
    }

    void addFocusesTheFirstShownFieldBox() {
        const QString path = build(fx->path("kb.mdb"), {{"Keynote", "Text", ""}, {"Name", "Text", ""}}, false, 0);
        DataInput& v = openView(path);
        QVERIFY(!shown(v.flddata[1]));
        v.cmdAction_Click(0);
        QVERIFY(fx->ui.messages().isEmpty());
        QVERIFY(v.bAddingRec);
        QCOMPARE(v.Gate()->Pending(), v.flddata[2].data());
        v.flddata[2]->setText("n");
        v.cmdAction_Click(3);
        QCOMPARE(cli(path, "SELECT Name FROM UserTable"), QString("n"));
    }

    // An error inside an error handler's recovery is reported, and the view goes on.
    void errorInsideRecoveryIsReported() {
        const QString path = rowsDb(2);
        DataInput& v = openView(path);
        exec(path, "DROP TABLE UserTable");
        for (int i = 0; i < 8; ++i) fx->ui.answerMsgBox(vb::vbOK);
        v.cmdAction_Click(4);
        QVERIFY(fx->ui.messages().size() >= 2);
        for (const QString& t : fx->ui.titles()) QCOMPARE(t, QString("Ravelstow"));
        QCOMPARE(v.cmdAdd->text(), QString("+ &Add"));
        fx->ui.clear();
        QCOMPARE(v.EditMode(), 0);
    }

    void unloadDropsAPendingAdd() {
        const QString path = rowsDb(2);
        DataInput& v = openView(path);
        v.cmdAction_Click(0);
        v.flddata[1]->setText("half");
        QVERIFY(!m->TabStrip1->isEnabled());
        v.Unload();
        QCOMPARE(cli(path, "SELECT count(*) FROM UserTable"), QString("2"));
        QVERIFY(!v.bAddingRec);
        QVERIFY(m->TabStrip1->isEnabled());
        QCOMPARE(v.EditMode(), 0);
    }
};

RV_TEST(EntryRecordsTest)
#include "EntryRecordsTest.moc"
