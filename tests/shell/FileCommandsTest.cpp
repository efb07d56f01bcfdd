#include "accounts/frmLogin.h"
#include "create/CreateDatabase.h"
#include "entry/DataInput.h"
#include "reports/frmReports.h"
#include "search/frmSearch.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Faults.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "platform/fs/FileSystem.h"

#include <QDialog>
#include <QFile>
#include <QTabBar>
#include <QTest>

using namespace Module1;

namespace {
const char* kUserTable = "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(50));";
const char* kProfile = "CREATE TABLE UserProfile (UserName VARCHAR(50), FullName VARCHAR(50), UserDescription VARCHAR(50),"
                       " UserLevel VARCHAR(6), PassWrd VARCHAR(50));";
const QString kRefused = "Please Open A Ravelstow Database";
}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    frmMain* m = nullptr;

    QString db(const QString& name, const QString& sql) {
        const QString p = fx->path(name);
        makeSqliteFile(p, sql);
        return p;
    }
    static QByteArray bytesOf(const QString& path) { QFile f(path); return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray(); }
    void open(const QString& path) {
        fx->ui.answerOpen(path);
        m->mnuOpenDB_Click();
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        m = fx->main;
    }
    void cleanup() { fx.reset(); }

    void openWithoutAccountsSignsInAsAdmin() {
        const QString path = db("plain.mdb", kUserTable);
        open(path);
        QVERIFY(fx->ui.messages().isEmpty());
        const auto& dlg = fx->ui.requests[0].dialog;
        QCOMPARE(dlg.DialogTitle, QString("Open Existing Database"));
        QCOMPARE(dlg.Filter, QString("All Files (*.*)|*.*|mdb Files(*.mdb)|*.mdb"));
        QCOMPARE(dlg.FilterIndex, 2);
        QCOMPARE(dlg.InitDir, fx->path("DBFiles"));
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, path);
        QCOMPARE(DBConnStr, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
        QCOMPARE(GetCurrentUser(), QString("Admin"));
        QCOMPARE(GetCurrentUserLevel(), QString("SUPRVR"));
        QVERIFY(!m->MenuVisible(frmMain::Menu::UserMaint));
        QVERIFY(m->MenuVisible(frmMain::Menu::ScrConfig));
        QVERIFY(m->TabStrip1->isEnabled());
        QCOMPARE(m->TabCaption(4), path);
        QCOMPARE(m->SelectedTab(), 1);
        QVERIFY(DataInput::instance().IsLoaded());
        QVERIFY(!QFile::exists(fx->path("DBFiles")));
    }

    void cancelledDialogChangesNothing() {
        fx->ui.answerOpen("");
        m->mnuOpenDB_Click();
        QCOMPARE(fx->ui.requests.size(), 1);
        QVERIFY(!DBOpen);
        QVERIFY(CurrentDBPath.isEmpty());
        QVERIFY(!m->TabStrip1->isEnabled());
    }

    void refusedFiles_data() {
        QTest::addColumn<QString>("content");   // "missing", "text" or SQL
        QTest::addColumn<QString>("message");   // "%1": the path
        QTest::addColumn<QString>("title");
        QTest::newRow("missing") << "missing" << "File does not exist: %1" << "File Error";
        QTest::newRow("text file") << "text" << kRefused << "Database Structure";
        QTest::newRow("no UserTable") << "CREATE TABLE Other (a TEXT);" << kRefused << "Database Structure";
    }
    void refusedFiles() {
        QFETCH(QString, content);
        QFETCH(QString, message);
        QFETCH(QString, title);
        const QString path = fx->path("refused.mdb");
        if (content == "text") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a database at all, just some words");
        } else if (content != "missing") {
            makeSqliteFile(path, content);
        }
        fx->ui.answerOpen(path).answerMsgBox(vb::vbOK);
        m->mnuOpenDB_Click();
        QCOMPARE(fx->ui.messages(), QStringList{message.replace("%1", path)});
        QCOMPARE(fx->ui.titles(), QStringList{title});
        QVERIFY(!DBOpen);
        QCOMPARE(QFile::exists(path), content != "missing");
    }

    // A typed path that names no file is named, and the database open before stays open.
    void missingFileClosesNothing() {
        const QString first = db("first.mdb", kUserTable), missing = fx->path("none.mdb");
        open(first);
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK).answerOpen(missing).answerMsgBox(vb::vbOK);
        m->mnuOpenDB_Click();
        QCOMPARE(fx->ui.messages().mid(1), QStringList{"File does not exist: " + missing});   // after the close question
        QVERIFY(DBOpen && DataInput::instance().IsLoaded() && !QFile::exists(missing));
        QCOMPARE(CurrentDBPath, first);
    }

    void openWhileOpenClosesFirst() {
        const QString first = db("first.mdb", kUserTable);
        const QString other = db("other.mdb", "CREATE TABLE Other (a TEXT);");
        open(first);
        // Cancel at the close prompt: still open, no file dialog.
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbCancel);
        m->mnuOpenDB_Click();
        QCOMPARE(fx->ui.requests.size(), 1);
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, first);
        // OK, then a refused file: the old one stays closed, and nothing is left open.
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK).answerOpen(other).answerMsgBox(vb::vbOK);
        m->mnuOpenDB_Click();
        QCOMPARE(fx->ui.messages().last(), kRefused);
        QVERIFY(!DBOpen);
        QVERIFY(CurrentDBPath.isEmpty());
        QCOMPARE(m->TabCaption(4), QString());
        QVERIFY(!DataInput::instance().IsLoaded());
    }

    // Refusing an unreadable file with a database open names the cause, leaves nothing open and writes
    // nothing into it; a file with SQLite's header that SQLite cannot read is damaged.
    void refusedFileLeavesNothingOpen_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        const QString damaged = "Database file is damaged and cannot be read.";
        for (const char* k : {"random bytes", "folder", "link loop", "long name", "no TolvaneID", "no UserName"})
            QTest::newRow(k) << QString(k) << kRefused;
        for (const char* k : {"cut short", "damaged page", "damaged root page", "damaged middle page", "WAL damaged root page",
                              "header 21=0", "header 16,17=0", "header 22=1", "header 23=255", "header 47=255"})
            QTest::newRow(k) << QString(k) << damaged;
        QTest::newRow("locked by another program")
            << "locked" << "Database is Locked by another program, the database was not opened. Please try again later.";
    }
    void refusedFileLeavesNothingOpen() {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const QString good = db("good.mdb", kUserTable);
        QString path = fx->path("x.mdb");
        auto write = [&](const QByteArray& bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        QFile g(good);
        QVERIFY(g.open(QIODevice::ReadOnly));
        QByteArray whole = g.readAll();
        whole.append(QByteArray(8192, '\0'));
        if (kind == "cut short") write(whole.left(6000));
        if (kind.startsWith("header ")) {   // "header 16,17=0": bytes 16 and 17 set to 0
            QByteArray damaged = whole;
            for (const QString& at : kind.section(' ', 1).section('=', 0, 0).split(',')) damaged[at.toInt()] = char(kind.section('=', 1).toInt());
            write(damaged);
        }
        if (kind == "random bytes") write(QByteArray(8192, '\x5a'));
        if (kind == "damaged page") write(whole.left(4096) + QByteArray(whole.size() - 4096, '\xff'));
        if (kind == "folder") QDir().mkpath(path);
        if (kind == "link loop") QFile::link(path, path);
        if (kind == "long name") path = fx->path(QString(300, 'n') + ".mdb");
        if (kind == "no TolvaneID") path = db("x.mdb", "CREATE TABLE UserTable (Name TEXT);");
        if (kind == "no UserName")
            path = db("x.mdb", "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY, Name TEXT);"
                               "CREATE TABLE UserProfile (Login TEXT, UserLevel TEXT, PassWrd TEXT);");
        const QString page = kind.endsWith("damaged root page") ? "/" : kind == "damaged middle page" ? "/003/" : "";   // in the table's tree
        if (!page.isEmpty() || kind == "locked")
            db("x.mdb", QString(kUserTable) + "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 3000) "
                                              "INSERT INTO UserTable (Name) SELECT 'name ' || i FROM c;");
        if (kind.startsWith("WAL")) testdb::cli(path, "PRAGMA journal_mode=WAL");
        if (!page.isEmpty()) {
            QFile f(path);
            const qint64 n = testdb::cli(path, "SELECT pageno FROM dbstat WHERE name = 'UserTable' AND path = '" + page + "'").toLongLong();
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek((n - 1) * 4096) && f.write(QByteArray(4096, '\x5a')) == 4096);
        }
        open(good);
        QVERIFY(DBOpen);
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK).answerOpen(path).answerMsgBox(vb::vbOK);
        std::optional<testfaults::OtherProgramLock> lock;
        if (kind == "locked") lock.emplace(path);
        const QByteArray before = bytesOf(path);
        m->mnuOpenDB_Click();
        lock.reset();
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(fx->ui.messages().size(), 2);   // the close question, then the refusal
        QCOMPARE(fx->ui.messages().last(), message);
        QVERIFY(!DBOpen);
        QVERIFY(CurrentDBPath.isEmpty());
        QCOMPARE(m->TabCaption(4), QString());
        QVERIFY(!DataInput::instance().IsLoaded());
        QVERIFY(!m->TabStrip1->isEnabled());
    }

    void loginCancelLeavesNothingOpen() {
        const QString plain = db("plain.mdb", kUserTable);
        const QString secured = db("secured.mdb", QString(kUserTable) + kProfile);
        for (bool wasOpen : {false, true}) {
            if (wasOpen) {
                open(plain);
                fx->ui.answerMsgBox(vb::vbOK);   // close prompt
            }
            fx->ui.answerOpen(secured).answerModal([](QDialog&) {
                frmLogin::instance().cmdCancel_Click();
                return int(QDialog::Rejected);
            });
            m->mnuOpenDB_Click();
            QVERIFY(!DBOpen);
            QVERIFY(CurrentDBPath.isEmpty());
            QVERIFY(!m->TabStrip1->isEnabled());
            QCOMPARE(m->TabCaption(4), QString());
            QVERIFY(!m->MenuVisible(frmMain::Menu::UserMaint));
            QVERIFY(!m->MenuVisible(frmMain::Menu::ScrConfig));
            fx->ui.clear();
        }
    }

    void loginSuccessOpens() {
        const QString secured = db("secured.mdb", QString(kUserTable) + kProfile);
        fx->ui.answerOpen(secured).answerModal([](QDialog&) {
            SetCurrentUser("bob");
            SetCurrentUserLevel("RESUSR");
            frmLogin::instance().LoginSucceeded = true;
            return int(QDialog::Accepted);
        });
        m->mnuOpenDB_Click();
        QVERIFY(DBOpen);
        QCOMPARE(GetCurrentUser(), QString("bob"));
        QVERIFY(m->MenuVisible(frmMain::Menu::UserMaint));
        QVERIFY(m->MenuVisible(frmMain::Menu::ScrConfig));
        QCOMPARE(m->TabCaption(4), secured);
    }

    // The temporary files a killed run of the program left (its process gone) go when the program
    // starts and when it opens a database in their folder; those of a running process stay.
    void staleTemporaryFilesGo_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("opening");
        QTest::newRow("program folder, at start") << "" << false;
        QTest::newRow("DBFiles, at start") << "DBFiles" << false;
        QTest::newRow("database folder, at open") << "elsewhere" << true;
    }
    void staleTemporaryFilesGo() {
        QFETCH(QString, folder);
        QFETCH(bool, opening);
        const QDir dir(fx->path(folder));
        QVERIFY(dir.mkpath("."));
        const QString mine = vb::TempPathBeside(dir.filePath("copy.mdb")), pid = QString("-%1-").arg(QCoreApplication::applicationPid());
        const QString stale = QString(mine).replace(pid, "-99999999-");   // no process has that id
        for (const QString& p : {mine, stale, stale + "-journal", dir.filePath(".notes.tmp")}) QVERIFY(QFile(p).open(QIODevice::WriteOnly));
        if (opening) open(db("elsewhere/plain.mdb", kUserTable));
        else m->MDIForm_Load();
        QCOMPARE(dir.entryList({".*tmp*"}, QDir::Files | QDir::Hidden), QStringList({QFileInfo(mine).fileName(), ".notes.tmp"}));
    }

    void closeCommand() {
        fx->ui.answerMsgBox(vb::vbOK);
        m->mnuCloseDB_Click();
        QCOMPARE(fx->ui.messages(), QStringList{"There Is No Database Currently Opened."});
        fx->ui.clear();
        open(db("plain.mdb", kUserTable));
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK);
        m->mnuCloseDB_Click();
        QCOMPARE(fx->ui.titles(), QStringList{"Close Database"});
        QVERIFY(!DBOpen);
    }

    void exitCommand() {
        m->mnuExit_Click();   // nothing open: ends at once
        QCOMPARE(fx->quits, 1);
        open(db("plain.mdb", kUserTable));
        m->mnuExit_Click();   // the entry view is at the end of its (empty) table: no prompt
        QCOMPARE(fx->quits, 2);
        QCOMPARE(fx->ui.messages(), QStringList());
    }

    void exitAsksWhenThereAreRecords() {
        const QString path = db("plain.mdb", kUserTable);
        makeSqliteFile(path, "INSERT INTO UserTable (Name) VALUES ('x');");
        open(path);
        QVERIFY(!DataInput::instance().AtBofOrEof());
        fx->ui.answerMsgBox(vb::vbCancel);
        m->mnuExit_Click();
        QCOMPARE(fx->quits, 0);
        QVERIFY(DBOpen);
        fx->ui.answerMsgBox(vb::vbOK);
        m->mnuExit_Click();
        QCOMPARE(fx->quits, 1);
        QVERIFY(!DataInput::instance().IsLoaded());
        QCOMPARE(fx->ui.titles(), QStringList({"Close Database", "Close Database"}));
    }

    void exitAndCloseRefuseWhileARecordIsAdded() {
        const QString path = db("plain.mdb", kUserTable);
        makeSqliteFile(path, "INSERT INTO UserTable (Name) VALUES ('x');");
        open(path);
        DataInput::instance().cmdAction_Click(0);   // Add
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        m->mnuExit_Click();
        m->mnuCloseDB_Click();
        DataInput::instance().Widget()->parentWidget()->close();   // the view's own frame
        QCoreApplication::sendPostedEvents();
        QCOMPARE(fx->ui.messages(),
                 QStringList({"Data View is in Edit Mode, Please confirm Updates then Exit Program.",
                              "Data View is in Edit Mode, Please Save Changes, By Pressing Update Key in Edit/View Then "
                              "Close Database.",
                              "Data View is in Edit Mode, Please Save Or Cancel The Current Record First."}));
        QCOMPARE(fx->quits, 0);
        QVERIFY(DBOpen);
        QVERIFY(DataInput::instance().IsLoaded());
    }

    void newDatabase() {
        m->mnuCreateDB_Click();
        QVERIFY(CreatingDB);
        QVERIFY(CreateDatabase::instance().IsLoaded());
        CreateDatabase::instance().Unload();
        open(db("plain.mdb", kUserTable));
        fx->ui.answerMsgBox(vb::vbCancel);
        m->mnuCreateDB_Click();
        QCOMPARE(fx->ui.messages(), QStringList{"Create A New Database File?"});
        QVERIFY(DBOpen);
        QVERIFY(CreatingDB);
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        m->mnuCreateDB_Click();
        QVERIFY(!DBOpen);
        QVERIFY(CreateDatabase::instance().IsLoaded());
    }

    void tabs() {
        // Nothing open: every tab but 4 says so.
        for (int tab : {2, 3}) {
            fx->ui.answerMsgBox(vb::vbOK);
            m->SelectTab(tab);
        }
        CloseConfirmed = true;
        fx->ui.answerMsgBox(vb::vbOK);
        m->SelectTab(1);
        fx->ui.answerMsgBox(vb::vbOK);
        m->SelectTab(4);
        QCOMPARE(fx->ui.messages(), QStringList({"A Database File Is Not Currently Open", "A Database File Is Not Currently Open",
                                                 "A Database File Is Not Currently Open", "Name Of Current Database: "}));
        fx->ui.clear();
        // An empty table: Search and Report send the user back to Edit/View.
        const QString path = db("plain.mdb", kUserTable);
        open(path);
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK);
        m->SelectTab(2);
        QCOMPARE(fx->ui.messages(),
                 QStringList{"There are currently no records Entered in the Database.  A Search Cannot Be Performed"});
        QCOMPARE(m->SelectedTab(), 1);
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK);
        m->SelectTab(3);
        QCOMPARE(fx->ui.messages(),
                 QStringList{"There are currently no records Entered in the Database.  Reports Cannot Be Performed"});
        QCOMPARE(m->SelectedTab(), 1);
        // With a record the search view opens.
        makeSqliteFile(path, "INSERT INTO UserTable (Name) VALUES ('x');");
        m->SelectTab(2);
        QVERIFY(frmSearch::instance().IsLoaded());
        // Clicking the selected tab 4 again shows its message again.
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        m->SelectTab(4);
        Q_EMIT m->TabStrip1->tabBarClicked(3);
        QCOMPARE(fx->ui.messages(), QStringList({"Name Of Current Database: " + path, "Name Of Current Database: " + path}));
    }

    // Under another program's lock, Search and Report name it in one box and the strip stays where it was.
    void tabsAskTheOpenConnection_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("message");
        const QString lock = "Database is Locked by another program, the %1 not opened. Please try again later.";
        QTest::newRow("Search from Edit/View") << 1 << 2 << lock.arg("search was");
        QTest::newRow("Report from Edit/View") << 1 << 3 << lock.arg("reports were");
        QTest::newRow("Report from Search") << 2 << 3 << lock.arg("reports were");
        QTest::newRow("Search clicked again") << 2 << 2 << lock.arg("search was");
    }
    void tabsAskTheOpenConnection() {
        QFETCH(int, from);
        QFETCH(int, tab);
        const QString path = db("one.mdb", QString(kUserTable) + "INSERT INTO UserTable (Name) VALUES ('x');");
        open(path);
        m->SelectTab(from);
        testfaults::OtherProgramLock lock(path);
        fx->ui.answerMsgBox(vb::vbOK);
        if (tab == from) Q_EMIT m->TabStrip1->tabBarClicked(tab - 1);
        else m->SelectTab(tab);
        QTEST(fx->ui.messages().join('|'), "message");
        QCOMPARE(fx->ui.titles(), QStringList{tab == 2 ? "Search" : "Reports"});
        QVERIFY(m->SelectedTab() == from && !frmReports::instance().IsLoaded());
    }
};

RV_TEST(FileCommandsTest)
#include "FileCommandsTest.moc"
