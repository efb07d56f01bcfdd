// The entry view when the file refuses: a record another copy of the program changed, a file
// locked by another program, read-only or on a full disk, a rename under a lock. Each cause gets
// its own message and nothing typed or stored is lost.
#include "EntryTestUtil.h"
#include "platform/db/LockWait.h"
#include "platform/ui/BusyCursor.h"
#include "shell/frmMain.h"
#include "support/TestRegistry.h"
#include "support/Faults.h"

#include <QGuiApplication>
#include <sqlite3.h>

using namespace entrytest;

using namespace testfaults;

class EntryReliabilityTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

    QString twoRecordsDb() {
        const QString path = build(fx->path("r.mdb"), {{"Name", "Text", ""}, {"City", "Text", ""}}, false, 1);
        exec(path, "INSERT INTO UserTable (Name, City, KeyWord1, SrchInt, SrchKey) VALUES "
                   "('Ann', 'Oslo', 'red', 0, 0), ('Bob', 'Rome', 'blue', 0, 0)");
        return path;
    }

private Q_SLOTS:
    void init() { fx = std::make_unique<Fixture>(Fixture::WithMainWindow); }
    void cleanup() {
        DataInput::instance().Unload();
        fx.reset();
    }

    // The later save or delete of a record another copy changed keeps what was typed (a second Save stores it) or drops a deleted one.
    void saveOfARecordChangedMeanwhile_data() {
        QTest::addColumn<QString>("otherSql");
        QTest::addColumn<int>("command");      // 3 Save, 1 Delete
        QTest::addColumn<QString>("stored");   // Name|City after the refused command
        const QString deleted = "DELETE FROM UserTable WHERE Name = 'Ann'";
        QTest::newRow("the same field") << "UPDATE UserTable SET Name = 'Theirs' WHERE Name = 'Ann'" << 3 << "Theirs|Oslo";
        QTest::newRow("only the case") << "UPDATE UserTable SET Name = 'ANN' WHERE Name = 'Ann'" << 3 << "ANN|Oslo";
        QTest::newRow("saved, deleted") << deleted << 3 << "";
        QTest::newRow("deleted twice") << deleted << 1 << "";
    }
    void saveOfARecordChangedMeanwhile() {
        QFETCH(QString, otherSql);
        QFETCH(int, command);
        QFETCH(QString, stored);
        const QString path = twoRecordsDb();
        DataInput& v = openView(path);
        QCOMPARE(v.flddata[1]->text(), QString("Ann"));
        exec(path, otherSql);
        if (command == 3) v.flddata[1]->setText("Mine");
        if (command == 1) fx->ui.answerMsgBox(vb::vbYes);
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdAction_Click(command);
        QCOMPARE(fx->ui.messages().last(), stored.isEmpty() ? "Another user deleted this record since it was shown."
                                                            : "Another user changed this record since it was shown. Save again "
                                                              "to keep your changes, or Reset Changes to see theirs.");
        QCOMPARE(fx->ui.titles().last(), command == 3 ? "Save Changes" : "Record Deletion");
        QCOMPARE(cli(path, "SELECT Name, City FROM UserTable WHERE TolvaneID = 1"), stored);
        if (stored.isEmpty()) {
            QCOMPARE(v.flddata[1]->text(), QString("Bob"));
            QCOMPARE(v.lblRecord->text(), QString("Record: 1 of 1"));
            return;
        }
        QCOMPARE(v.flddata[1]->text(), QString("Mine"));
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages().size(), 1);
        QCOMPARE(cli(path, "SELECT Name, City FROM UserTable WHERE TolvaneID = 1"), QString("Mine|Oslo"));
        QCOMPARE(v.EditMode(), 0);
    }

    // A save that changes another field than the other user did keeps both changes.
    void saveOfAnotherFieldKeepsBothChanges() {
        const QString path = twoRecordsDb();
        DataInput& v = openView(path);
        exec(path, "UPDATE UserTable SET City = 'Paris' WHERE Name = 'Ann'");
        v.flddata[1]->setText("Anna");
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(cli(path, "SELECT Name, City FROM UserTable WHERE TolvaneID = 1"), QString("Anna|Paris"));
    }

    // Each reason the file refuses a save, a move's save or a delete has its own message; nothing stored
    // changes, and a new record keeps what was typed so that Save can be tried again.
    void refusedWritesNameTheirCause_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("command");   // edit, next (an edit, then Next), add, delete
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("title");
        const QString locked = "Database is Locked by another program, Record was not %1. Please try again later.";
        const QString readOnly = "Database is Read Only, Record was not %1.";
        const QString full = "Disk is Full, Record was not %1. Please free some space.";
        QTest::newRow("locked, edit") << "locked" << "edit" << locked.arg("saved") << "Save Changes";
        QTest::newRow("locked, add") << "locked" << "add" << locked.arg("saved") << "Save Changes";
        QTest::newRow("locked, delete") << "locked" << "delete" << locked.arg("deleted") << "Record Deletion";
        QTest::newRow("read-only, edit") << "read-only" << "edit" << readOnly.arg("saved") << "Save Changes";
        QTest::newRow("read-only, add") << "read-only" << "add" << readOnly.arg("saved") << "Save Changes";
        QTest::newRow("read-only, delete") << "read-only" << "delete" << readOnly.arg("deleted") << "Record Deletion";
        // A writable file in a folder (where the journal goes) that may not be written names the folder.
        const QString folder = "The folder '%F' of the database may not be written, Record was not %1.";
        QTest::newRow("read-only folder, edit") << "folder" << "edit" << folder.arg("saved") << "Save Changes";
        QTest::newRow("read-only folder, delete") << "folder" << "delete" << folder.arg("deleted") << "Record Deletion";
        QTest::newRow("full disk, edit") << "full" << "edit" << full.arg("saved") << "Save Changes";
        QTest::newRow("full disk, add") << "full" << "add" << full.arg("saved") << "Save Changes";
        QTest::newRow("full disk, delete") << "full" << "delete" << full.arg("deleted") << "Record Deletion";
        QTest::newRow("locked, next") << "locked" << "next" << locked.arg("saved") << "Save Changes";
        QTest::newRow("read-only, next") << "read-only" << "next" << readOnly.arg("saved") << "Save Changes";
        QTest::newRow("full disk, next") << "full" << "next" << full.arg("saved") << "Save Changes";
        QTest::newRow("a refused record names no cause")
            << "trigger" << "add" << "A record must be added, Either Enter Data or Cancel Record Add" << "Save Changes";
    }
    void refusedWritesNameTheirCause() {
        QFETCH(QString, cause);
        QFETCH(QString, command);
        QFETCH(QString, message);
        QFETCH(QString, title);
        const QString path = twoRecordsDb();
        if (cause == "trigger")
            exec(path, "CREATE TRIGGER refuse BEFORE INSERT ON UserTable BEGIN SELECT RAISE(ABORT, 'refused'); END");
        const QString before = cli(path, "SELECT * FROM UserTable");
        const QString folder = QFileInfo(path).absolutePath();
        const auto folderRights = QFile::permissions(folder);
        if (cause == "read-only") QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        if (cause == "folder") QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        DataInput& v = openView(path);
        if (command == "add") v.cmdAction_Click(0);
        if (command != "delete") v.flddata[1]->setText("Typed");

        std::unique_ptr<OtherProgramLock> lock;
        std::unique_ptr<FileSizeLimit> limit;
        if (cause == "locked") lock = std::make_unique<OtherProgramLock>(path);
        if (cause == "full") limit = std::make_unique<FileSizeLimit>(1024);
        const int cursors = vb::LockWaitCursorCount();
        if (command == "delete") fx->ui.answerMsgBox(vb::vbYes);
        fx->ui.answerMsgBox(vb::vbOK);
        if (command == "next") v.cmdNegotiate_Click(2);
        else v.cmdAction_Click(command == "delete" ? 1 : 3);
        limit.reset();
        lock.reset();
        QFile::setPermissions(folder, folderRights);

        QCOMPARE(fx->ui.messages().last(), QString(message).replace("%F", folder));
        QCOMPARE(fx->ui.titles().last(), title);
        QCOMPARE(cli(path, "SELECT * FROM UserTable"), before);
        QCOMPARE(cli(path, "PRAGMA integrity_check"), QString("ok"));
        if (cause == "locked") {
            // One wait for the whole command, under the busy cursor, which is gone afterwards.
            QCOMPARE(vb::LockWaitCursorCount(), cursors + 1);
            QVERIFY(!QGuiApplication::overrideCursor());
        }
        if (command == "add") {
            QVERIFY(v.bAddingRec);
            QCOMPARE(v.flddata[1]->text(), QString("Typed"));
        }
        if (command == "edit" || command == "next") QCOMPARE(v.flddata[1]->text(), QString("Typed"));
        if (cause != "read-only" && cause != "folder" && cause != "trigger" && command != "delete") {
            // The refusal is over: the same Save stores the record.
            v.cmdAction_Click(3);
            QCOMPARE(cli(path, "SELECT count(*) FROM UserTable WHERE Name = 'Typed'"), QString("1"));
        }
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    // Damage that the check at open does not read is named by the save that meets it; what was
    // typed stays in the view and the other records stay readable.
    void damageMetAfterOpenIsNamed() {
        const QString path = build(fx->path("d.mdb"), {{"Name", "Text", ""}}, false, 1);
        addRows(path, "Name", 3000);
        const qint64 page = cli(path, "SELECT pageno FROM dbstat WHERE name = 'UserTable' AND pagetype = 'leaf' "
                                      "ORDER BY path DESC LIMIT 1").toLongLong();
        QVERIFY(page > 1);
        DataInput& v = openView(path);
        v.cmdNegotiate_Click(3);
        QCOMPARE(v.flddata[1]->text(), QString("R3000"));
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek((page - 1) * 4096);
            f.write(QByteArray(4096, '\x5a'));
            f.seek(24);   // the change counter: the view's connection reads the file again
            f.write(QByteArray("\x7f\x7f\x7f\x7f", 4));
        }
        v.flddata[1]->setText("Typed");
        fx->ui.answerMsgBox(vb::vbOK);
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages().last(), QString("Database file is damaged and cannot be read, Record was not saved."));
        QCOMPARE(v.flddata[1]->text(), QString("Typed"));
        QCOMPARE(cli(path, "SELECT Name FROM UserTable WHERE TolvaneID = 1"), QString("R1"));
    }

    // Moving while another program holds the file locked: the lock is named and the view stays on
    // the record it shows, with its counter.
    void moveUnderALockStaysOnTheRecord() {
        const QString path = twoRecordsDb();
        DataInput& v = openView(path);
        {
            OtherProgramLock lock(path);
            fx->ui.answerMsgBox(vb::vbOK);
            v.cmdNegotiate_Click(2);
        }
        QCOMPARE(fx->ui.messages(),
                 QStringList{"Database is Locked by another program, the record was not shown. Please try again later."});
        QCOMPARE(v.flddata[1]->text(), QString("Ann"));
        QCOMPARE(v.lblRecord->text(), QString("Record: 1 of 2"));
        v.cmdNegotiate_Click(2);   // the lock gone, the move goes through
        QCOMPARE(v.flddata[1]->text(), QString("Bob"));
    }

    // A rename that another program's lock refuses changes nothing: the view keeps its fields
    // and takes a new record afterwards.
    void renameUnderALockChangesNothing() {
        const QString path = twoRecordsDb();
        const QString schema = cli(path, ".schema UserTable");
        DataInput& v = openView(path);
        const QStringList fields = fieldList();
        {
            OtherProgramLock lock(path);
            fx->ui.answerMsgBox(vb::vbOK).answerInput("Town").answerMsgBox(vb::vbOK);
            v.Label1_DblClick(2);
        }
        QCOMPARE(fx->ui.messages().last(),
                 QString("Database is Locked by another program, Field was not renamed. Please try again later."));
        QCOMPARE(fx->ui.titles().last(), QString("Change Field Name"));
        QCOMPARE(cli(path, ".schema UserTable"), schema);
        QCOMPARE(fieldList(), fields);
        QCOMPARE(v.Label1[2]->text(), QString("City"));
        fx->ui.clear();

        v.cmdAction_Click(0);
        v.flddata[1]->setText("Cy");
        v.flddata[2]->setText("Lima");
        v.cmdAction_Click(3);
        QCOMPARE(fx->ui.messages(), QStringList());
        QCOMPARE(cli(path, "SELECT Name, City FROM UserTable WHERE Name = 'Cy'"), QString("Cy|Lima"));

        // And a later rename works.
        fx->ui.answerMsgBox(vb::vbOK).answerInput("Town");
        v.Label1_DblClick(2);
        QCOMPARE(v.Label1[2]->text(), QString("Town"));
        QCOMPARE(cli(path, "SELECT Town FROM UserTable WHERE Name = 'Cy'"), QString("Lima"));
    }
};

RV_TEST(EntryReliabilityTest)
#include "EntryReliabilityTest.moc"
