// The checks of the field boxes by type, on the real view over a real file: messages, rewrites,
// the focus held, the key reminder, and what the checked text stores.
#include "EntryTestUtil.h"
#include "format/LocaleScope.h"
#include "support/TestRegistry.h"

using namespace entrytest;

namespace {
// Rows: 1 Name (Text), 2 Age (Integer), 3 Price (Decimal/2), 4 Born (Date/Time), 5 Cost
// (Currency), 6 Active (True/False), 7 Photo (file path), 8 Ratio (Decimal/3).
Rows validationRows() {
    Rows rows = everyType();
    rows.append({"Ratio", "Number/Double", "3"});
    return rows;
}
const QString kTitle = QStringLiteral("Data Type Error");
}  // namespace

class EntryValidationTest : public QObject, OneRecordView {
    Q_OBJECT

private Q_SLOTS:
    void init() { start("v.mdb", validationRows()); }
    void cleanup() { stop(); }

    void checksByType_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");   // "" accepted
        QTest::addColumn<QString>("after");     // the box's text afterwards
        const QString numeric = "This is a numeric field, please enter all numbers";
        const QString length = "An Integer Field Can Only Be 10 digits";
        const QString whole = "An Integer Field Can Only Hold Whole Numbers";
        const QString money = "This is a Currency field, please enter a monetary value";
        const QString date = "This Is Not A Valid Date, Please Enter A Valid Date Value";
        const QString truth = "Please Enter TRUE or FALSE, or T or F for Value";
        QTest::newRow("text, anything") << 1 << QString(300, 'x') << "" << QString(300, 'x');
        QTest::newRow("integer, empty") << 2 << "" << "" << "";
        QTest::newRow("integer, ten digits") << 2 << "1234567890" << "" << "1234567890";
        QTest::newRow("integer, a fraction kept") << 2 << "3.5" << whole << "3.5";
        QTest::newRow("integer, a negative fraction") << 2 << "-0.25" << whole << "-0.25";
        QTest::newRow("integer, whole with places") << 2 << "2.0" << "" << "2.0";
        QTest::newRow("integer, minus and nine digits") << 2 << "-123456789" << "" << "-123456789";
        QTest::newRow("integer, eleven digits kept") << 2 << "12345678901" << length << "12345678901";
        QTest::newRow("integer, not numeric") << 2 << "12a" << numeric << "";
        QTest::newRow("decimal/2, rounded") << 3 << "3.14159" << "" << "3.14";
        QTest::newRow("decimal/2, half away from zero") << 3 << "0.125" << "" << "0.13";
        QTest::newRow("decimal/3, whole") << 8 << "2" << "" << "2.000";
        QTest::newRow("decimal/3, not numeric") << 8 << "abc" << numeric << "";
        QTest::newRow("currency, with $") << 5 << "$12.50" << "" << "$12.50";
        QTest::newRow("currency, not money") << 5 << "twelve" << money << "";
        QTest::newRow("date, month first") << 4 << "03/05/2024" << "" << "03/05/2024";
        QTest::newRow("date, no such month") << 4 << "31/31/2024" << date << "";
        QTest::newRow("true/false, empty becomes FALSE") << 6 << "" << "" << "FALSE";
        QTest::newRow("true/false, t") << 6 << "t" << "" << "True";
        QTest::newRow("true/false, TRUE") << 6 << "TRUE" << "" << "TRUE";
        QTest::newRow("true/false, F") << 6 << "F" << "" << "False";
        QTest::newRow("true/false, lower case") << 6 << "true" << "" << "True";
        QTest::newRow("true/false, trailing blank") << 6 << "FALSE " << "" << "False";
        QTest::newRow("true/false, yes") << 6 << "yes" << "" << "True";
        QTest::newRow("true/false, 0") << 6 << "0" << "" << "False";
        QTest::newRow("true/false, no yes or no") << 6 << "Tr" << truth << "";
    }
    void checksByType() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(QString, after);
        LocaleScope scope("en_US");
        DataInput& v = openView(path);
        v.flddata[row]->setText(typed);
        if (!message.isEmpty()) fx->ui.answerMsgBox(vb::vbOK);
        bool cancel = false;
        v.flddata_Validate(row, cancel);
        QCOMPARE(cancel, !message.isEmpty());
        QCOMPARE(fx->ui.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(fx->ui.titles(), QStringList{kTitle});
            QCOMPARE(fx->ui.requests.first().style, int(vb::vbOKOnly));
        }
        QCOMPARE(v.flddata[row]->text(), after);
    }

    // Through the gate: a rejected text keeps the focus in its box and stops the command; the
    // corrected text is saved.
    void aRejectedBoxStopsTheCommand() {
        DataInput& v = openView(path);
        QWidget* w = v.Widget();
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        v.flddata[2]->setFocus();
        QTRY_COMPARE(v.Gate()->Pending(), v.flddata[2].data());
        v.flddata[2]->setText("12a");
        fx->ui.answerMsgBox(vb::vbOK);
        QTest::mouseClick(v.cmdAction[3], Qt::LeftButton);
        QCOMPARE(fx->ui.messages(), QStringList{"This is a numeric field, please enter all numbers"});
        QVERIFY(v.flddata[2]->hasFocus());
        QCOMPARE(v.flddata[2]->text(), QString());
        QCOMPARE(cli(path, "SELECT ifnull(Age, 'null') FROM UserTable"), QString("null"));

        // Leaving the box for another one runs the check too.
        v.flddata[2]->setText("x");
        fx->ui.answerMsgBox(vb::vbOK);
        v.flddata[1]->setFocus();
        QVERIFY(v.flddata[2]->hasFocus());
        QCOMPARE(fx->ui.messages().size(), 2);

        v.flddata[2]->setText("42");
        QTest::mouseClick(v.cmdAction[3], Qt::LeftButton);
        QCOMPARE(fx->ui.messages().size(), 2);
        QCOMPARE(cli(path, "SELECT Age FROM UserTable"), QString("42"));
    }

    // A number the column cannot hold gets the field's range, in the program's words; the text
    // stays for correction and nothing is stored.
    void aNumberBeyondTheColumnIsHeldAtTheBox_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("integer, ten digits") << 2 << "9999999999"
                                             << "The Field Age Can Only Hold A Number From -2147483648 To 2147483647";
        QTest::newRow("integer, one past the top") << 2 << "2147483648"
                                           << "The Field Age Can Only Hold A Number From -2147483648 To 2147483647";
        QTest::newRow("decimal/2") << 3 << "123456789"
                                   << "The Field Price Can Only Hold A Number From -99999999.99 To 99999999.99";
        QTest::newRow("decimal/2, rounds up past the top") << 3 << "99999999.995"
                                   << "The Field Price Can Only Hold A Number From -99999999.99 To 99999999.99";
        QTest::newRow("decimal/3, beyond a double") << 8 << "1e400"
                                   << "The Field Ratio Can Only Hold A Number From -9999999.999 To 9999999.999";
        QTest::newRow("currency") << 5 << "1000000000000000"
                                  << "The Field Cost Can Only Hold A Number From -922337203685477.5807 To "
                                     "922337203685477.5807";
    }
    void aNumberBeyondTheColumnIsHeldAtTheBox() {
        QFETCH(int, row);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        LocaleScope scope("en_US");
        DataInput& v = openView(path);
        const QString before = cli(path, "SELECT quote(Age) || quote(Price) || quote(Ratio) || quote(Cost) FROM UserTable");
        v.flddata[row]->setText(typed);
        fx->ui.answerMsgBox(vb::vbOK);
        bool cancel = false;
        v.flddata_Validate(row, cancel);
        QVERIFY(cancel);
        QCOMPARE(fx->ui.messages(), QStringList{message});
        QCOMPARE(fx->ui.titles(), QStringList{kTitle});
        QCOMPARE(v.flddata[row]->text(), typed);
        QCOMPARE(cli(path, "SELECT quote(Age) || quote(Price) || quote(Ratio) || quote(Cost) FROM UserTable"), before);
    }

    // A key press in a box of an empty table reminds the user to add, only while the add button
    // carries the caption the keyword refresh gives it.
    void keyReminder_data() {
        QTest::addColumn<bool>("emptyTable");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<bool>("reminded");
        QTest::newRow("empty, &Add") << true << "&Add" << false << true;
        QTest::newRow("empty, &Add, adding") << true << "&Add" << true << false;
    }
    void keyReminder() {
        QFETCH(bool, emptyTable);
        QFETCH(QString, caption);
        QFETCH(bool, adding);
        QFETCH(bool, reminded);
        if (emptyTable) exec(path, "DELETE FROM UserTable");
        DataInput& v = openView(path);
        v.cmdAction[0]->setText(caption);
        v.bAddingRec = adding;
        if (reminded) fx->ui.answerMsgBox(vb::vbOK);
        QTest::keyClick(v.flddata[1], Qt::Key_A);
        QCOMPARE(fx->ui.messages(), reminded ? QStringList{"Select The Add Command, before entering data"} : QStringList());
        if (reminded) QCOMPARE(fx->ui.titles(), QStringList{"Ravelstow"});
        QVERIFY(v.flddata[1]->text().startsWith("a"));   // the key still reaches the box
    }

    // A column of a type the view cannot show does not shift the checks of the rows after it.
    void checksFollowTheBoxColumn() {
        const QString odd = fx->path("odd.mdb");
        makeSqliteFile(odd, "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Odd BLOB, "
                            "Age INTEGER, Name VARCHAR(255) COLLATE NOCASE, SrchInt SMALLINT, SrchKey SMALLINT, RptFlg BIT)");
        DataInput& v = openView(odd);
        QVERIFY(!shown(v.flddata[1]));
        v.flddata[2]->setText("abc");
        fx->ui.answerMsgBox(vb::vbOK);
        bool cancel = false;
        v.flddata_Validate(2, cancel);
        QVERIFY(cancel);
        QCOMPARE(fx->ui.messages(), QStringList{"This is a numeric field, please enter all numbers"});
        v.flddata[3]->setText("abc");
        cancel = false;
        v.flddata_Validate(3, cancel);
        QVERIFY(!cancel);
    }
};

RV_TEST(EntryValidationTest)
#include "EntryValidationTest.moc"
