// Writes the file refuses: each cause keeps the general failure's number and is told apart by
// its cause; a lock is waited for once per command.
#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/LockWait.h"
#include "shell/Module1.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "support/Faults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace testdb;

using namespace testfaults;

namespace {

vb::VbError caught(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::VbError& e) {
        return e;
    }
    return {};
}

}  // namespace

class FileRefusalsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachCauseIsToldApart_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("cause");
        QTest::newRow("locked by another program") << "locked" << int(db::Cause::Locked);
        QTest::newRow("read-only file") << "ro-file" << int(db::Cause::ReadOnly);
        QTest::newRow("read-only folder") << "ro-folder" << int(db::Cause::ReadOnly);
        QTest::newRow("full disk") << "full" << int(db::Cause::DiskFull);
    }
    void eachCauseIsToldApart() {
        QFETCH(QString, kind);
        QFETCH(int, cause);
        QTemporaryDir dir;
        const QString folder = dir.filePath("data");
        QDir().mkpath(folder);
        const QString path = buildSample(folder + "/s.mdb");
        exec(path, "INSERT INTO UserTable (Name) VALUES ('before')");
        if (kind == "ro-file") QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        if (kind == "ro-folder")
            QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup);
        db::Connection conn;
        conn.Open(connStr(path));
        QCOMPARE(conn.ReadOnly(), kind.startsWith("ro-"));
        std::unique_ptr<OtherProgramLock> lock;
        std::unique_ptr<FileSizeLimit> limit;
        if (kind == "locked") lock = std::make_unique<OtherProgramLock>(path);
        if (kind == "full") limit = std::make_unique<FileSizeLimit>(QFileInfo(path).size() + 4096);
        const vb::VbError e = caught([&] {
            conn.Execute("UPDATE UserTable SET Name = ?1", {QString(200000, 'x')});
        });
        limit.reset();
        lock.reset();
        QCOMPARE(e.number, vb::err::E_FAIL_);   // the number the handlers of the general failure answer
        QCOMPARE(int(db::causeOf(e)), cause);
        QCOMPARE(db::IsReadOnlyError(e), kind.startsWith("ro-"));
        conn.Close();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(cli(path, "SELECT Name FROM UserTable"), QString("before"));
        QCOMPARE(cli(path, "PRAGMA integrity_check"), QString("ok"));
    }

    // A file with a damaged page fails the structure check and reads as unreadable.
    void damagedFileIsUnreadable() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("d.mdb"));
        addRows(path, "Name", 3000);
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.seek(f.size() / 2 / 4096 * 4096);
            f.write(QByteArray(4096, '\x5a'));
        }
        db::Connection conn;
        conn.Open(connStr(path));
        QVERIFY(conn.Scalar("PRAGMA quick_check(1)").toString() != "ok");
        const vb::VbError e = caught([&] { conn.Scalar("SELECT group_concat(Name) FROM UserTable"); });
        QCOMPARE(e.number, vb::err::E_FAIL_);
        QCOMPARE(int(db::causeOf(e)), int(db::Cause::Unreadable));
    }

    // The check at open reads a few pages: a file cut short is refused, damage in the middle is
    // left to the read that meets it.
    void openCheckReadsFewPages() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("o.mdb"));
        addRows(path, "Name", 3000);
        const qint64 middle = cli(path, "SELECT pageno FROM dbstat WHERE name = 'UserTable' AND pagetype = 'leaf' ORDER BY "
                                        "path LIMIT 1 OFFSET (SELECT count(*) / 2 FROM dbstat WHERE name = 'UserTable')")
                                  .toLongLong();
        QVERIFY(middle > 1);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite) && f.seek((middle - 1) * 4096) && f.write(QByteArray(4096, 'Z')) == 4096);
        f.close();
        db::Connection conn;
        conn.Open(connStr(path));
        QVERIFY(conn.OpenCheck());
        QCOMPARE(int(db::causeOf(caught([&] { conn.Scalar("SELECT group_concat(Name) FROM UserTable"); }))),
                 int(db::Cause::Unreadable));
        conn.Close();
        QVERIFY(f.resize(f.size() - 4096));
        bool refused = false;
        const vb::VbError e = caught([&] { conn.Open(connStr(path)), refused = !conn.OpenCheck(); });
        QVERIFY(refused || db::causeOf(e) == db::Cause::Unreadable);
    }

    // A WAL file is switched to the rollback journal only once the check at open found it sound; the check writes nothing.
    void walFileIsSwitchedOnlyWhenSound_data() {
        QTest::addColumn<bool>("damaged");
        QTest::newRow("sound") << false;
        QTest::newRow("damaged root page") << true;
    }
    void walFileIsSwitchedOnlyWhenSound() {
        QFETCH(bool, damaged);
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("wal.mdb"));
        addRows(path, "Name", 3000);
        QCOMPARE(cli(path, "PRAGMA journal_mode=WAL"), QString("wal"));
        const qint64 root = cli(path, "SELECT rootpage FROM sqlite_schema WHERE name = 'UserTable'").toLongLong();
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        if (damaged) QVERIFY(f.seek((root - 1) * 4096) && f.write(QByteArray(4096, 'Z')) == 4096);
        const QByteArray before = f.seek(0) ? f.readAll() : QByteArray();
        Module1::CurrentDBPath = path;
        QCOMPARE(db::IsDamagedError(caught([] { QVERIFY(Module1::CheckDBStructure()); })), damaged);
        QCOMPARE(f.seek(0) ? f.readAll() : QByteArray(), before);
        Module1::Reset();
        if (damaged) return;
        db::Connection conn;
        conn.Open(connStr(path));
        QCOMPARE(conn.Scalar("PRAGMA journal_mode").toString(), QString("delete"));
    }

    // Under another program's lock a command waits once, however many statements it runs, and
    // tells the window layer when its wait begins and ends.
    void oneWaitPerCommand() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("w.mdb"));
        db::Connection conn;
        conn.Open(connStr(path));
        int started = 0, ended = 0;
        db::LockWait::SetHooks([&] { ++started; }, [&] { ++ended; });
        OtherProgramLock lock(path);
        int failures = 0;
        {
            db::LockWait command;
            for (int i = 0; i < 6; ++i)
                if (caught([&] { conn.Scalar("SELECT COUNT(*) FROM UserTable"); }).number == vb::err::E_FAIL_) ++failures;
            QCOMPARE(started, 1);
            QCOMPARE(ended, 0);
        }
        db::LockWait::SetHooks({}, {});
        QCOMPARE(failures, 6);
        QCOMPARE(ended, 1);
    }
};

RV_TEST(FileRefusalsTest)
#include "FileRefusalsTest.moc"
