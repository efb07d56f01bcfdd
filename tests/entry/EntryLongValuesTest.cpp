// Values another program stored beyond what the view writes: a text longer than its column, a
// note of megabytes on one line. Showing them changes nothing; an edit is checked and saved.
#include "EntryTestUtil.h"
#include "support/TestRegistry.h"

#include <QDeadlineTimer>
#include <QTextCursor>

using namespace entrytest;

namespace {
// SQL for `copies` times `piece`, made by SQLite.
QString repeated(const QString& piece, int copies) { return QString("replace(hex(zeroblob(%1)), '00', '%2')").arg(copies).arg(piece); }
const QString kLongName = repeated("n", 40000);
const QString kLongLine = repeated("x", 9000);   // shown in pieces of 4,000
}  // namespace

class EntryLongValuesTest : public QObject, OneRecordView {
    Q_OBJECT

    // Record 1 holds `value` in `column`, record 2 is ordinary; the view shows record 1.
    DataInput& viewWith(const QString& column, const QString& value) {
        exec(path, QStringLiteral("UPDATE UserTable SET [%1] = %2 WHERE TolvaneID = 1").arg(column, value));
        addRows(path, "Name", 1);
        return showView(path);
    }
    bool stored(const QString& column, const QString& value) {   // the stored value is `value`
        return cli(path, QStringLiteral("SELECT [%1] = %2 FROM UserTable WHERE TolvaneID = 1").arg(column, value)) == "1";
    }

private Q_SLOTS:
    void init() { start("long.mdb", {{"Name", "Text", ""}, {"City", "Text", ""}}, true, 1); }
    void cleanup() { stop(); }

    // Shown, left and shown again within seconds, closed: no edit, no message, nothing written.
    void untouchedValuesStay_data() {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("value");
        QTest::newRow("name of 40,000 characters") << "Name" << kLongName;
        QTest::newRow("keyword of 40,000 characters") << "KeyWord1" << kLongName;
        QTest::newRow("note of 10,000,000 on one line") << "Memofld" << repeated("abcdefghi ", 1000000);
        QTest::newRow("note with CR LF line ends") << "Memofld" << "'one' || char(13, 10) || 'two'";
    }
    void untouchedValuesStay() {
        QFETCH(QString, column);
        QFETCH(QString, value);
        const QDeadlineTimer deadline(8000);
        DataInput& v = viewWith(column, value);
        v.cmdNegotiate_Click(2);
        v.cmdNegotiate_Click(0);
        QApplication::processEvents();
        QVERIFY2(!deadline.hasExpired(), "took over 8 seconds");
        QVERIFY(v.QueryUnload());   // no edit begun
        QCOMPARE(fx->ui.messages(), QStringList());
        QVERIFY(stored(column, value));
    }

    // An edited too-long name names the limit (the column's, or the box's when the column takes
    // more than the box shows); Reset, or Cancel of an add, still leaves the record as stored.
    void anEditedTooLongValueIsRefused_data() {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("declared");   // the Name column's type
        QTest::addColumn<QString>("why");
        const QString column = "cannot take the value: the text is longer than 255 characters.";
        QTest::newRow("edited, then Reset") << false << "VARCHAR(255)" << column;
        QTest::newRow("added, then Cancel") << true << "VARCHAR(255)" << column;
        QTest::newRow("column of 100,000") << false << "VARCHAR(100000)" << "holds more text than its box can show (32767 characters).";
    }
    void anEditedTooLongValueIsRefused() {
        QFETCH(bool, adding);
        QFETCH(QString, declared);
        QFETCH(QString, why);
        exec(path, "PRAGMA writable_schema = ON; UPDATE sqlite_master SET sql = replace(sql, 'VARCHAR(255)', '" + declared + "')");
        DataInput& v = viewWith("Name", kLongName);
        if (adding) v.cmdAction_Click(0);
        QTest::keyClick(v.flddata[1], Qt::Key_End);
        if (adding) QTest::keyClicks(v.flddata[1], QString(300, u'x'));
        else QTest::keyClick(v.flddata[1], Qt::Key_Backspace);   // the box is full: a key takes away
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList{"The record could not be saved: The field 'Name' " + why});
        v.cmdAction_Click(adding ? 0 : 4);
        QVERIFY(v.QueryUnload());
        QVERIFY(stored("Name", kLongName));
        QCOMPARE(cli(path, "SELECT COUNT(*) FROM UserTable"), QString("2"));
    }

    // The pieces a long line is shown in are not stored; what the user types is, and a break
    // deleted only joins what the box shows.
    void editsOfALongLineAreStored_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("Enter at a break") << int(Qt::Key_Return) << repeated("x", 4000) + " || char(10) || " + repeated("x", 5000);
        QTest::newRow("Delete at a break") << int(Qt::Key_Delete) << kLongLine;
    }
    void editsOfALongLineAreStored() {
        QFETCH(int, key);
        QFETCH(QString, value);
        DataInput& v = viewWith("Memofld", kLongLine);
        QTextCursor cursor = v.txtmemo->textCursor();
        cursor.setPosition(4000);
        v.txtmemo->setTextCursor(cursor);
        QTest::keyClick(v.txtmemo, Qt::Key(key));
        v.cmdAction_Click(3);
        QVERIFY(stored("Memofld", value));
    }
};

RV_TEST(EntryLongValuesTest)
#include "EntryLongValuesTest.moc"
