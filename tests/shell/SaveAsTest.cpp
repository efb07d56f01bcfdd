#include "accounts/frmLogin.h"
#include "entry/DataInput.h"
#include "shell/Module1.h"
#include "shell/frmMain.h"
#include "support/Faults.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTest>

using namespace Module1;

namespace {
const char* kUserTable =
    "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(50));"
    "INSERT INTO UserTable (Name) VALUES ('one'), ('two'), ('three');";
const char* kProfile = "CREATE TABLE UserProfile (UserName VARCHAR(50), PassWrd VARCHAR(50), UserLevel VARCHAR(6));";

int countRows(const QString& path) { return testdb::cli(path, "SELECT COUNT(*) FROM UserTable").toInt(); }
}  // namespace

class SaveAsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    frmMain* m = nullptr;
    QString source;

    void openSource(const QString& sql = kUserTable) {
        source = fx->path("source.mdb");
        makeSqliteFile(source, sql);
        fx->ui.answerOpen(source);
        if (sql.contains("UserProfile")) {
            fx->ui.answerModal([](QDialog&) {
                SetCurrentUser("sue");
                SetCurrentUserLevel("SUPRVR");
                frmLogin::instance().LoginSucceeded = true;
                return int(QDialog::Accepted);
            });
        }
        m->mnuOpenDB_Click();
        QVERIFY(DBOpen);
        fx->ui.clear();
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        m = fx->main;
    }
    void cleanup() { fx.reset(); }

    void nothingOpen() {
        fx->ui.answerMsgBox(vb::vbOK);
        m->mnDBSaveAs_Click();
        QCOMPARE(fx->ui.messages(), QStringList{"No database is currently opened."});
        QCOMPARE(fx->ui.titles(), QStringList{"Save As Database"});
    }

    void copyBecomesTheOpenDatabase() {
        openSource();
        SetCurrentUser("someone");
        const QString target = fx->path("copy.mdb");
        fx->ui.answerSave(target);
        m->mnDBSaveAs_Click();
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(fx->ui.requests[0].dialog.DialogTitle, QString("Save Database As"));
        QCOMPARE(fx->ui.requests[0].dialog.InitDir, fx->path("DBFiles"));
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, target);
        QCOMPARE(m->TabCaption(4), target);
        QCOMPARE(DBConnStr, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + target);
        QCOMPARE(countRows(target), 3);
        QCOMPARE(countRows(source), 3);
        QCOMPARE(GetCurrentUser(), QString("Admin"));
        QCOMPARE(GetCurrentUserLevel(), QString("SUPRVR"));
        QVERIFY(!SilentClose);
        QVERIFY(DataInput::instance().IsLoaded());
        QCOMPARE(QDir(fx->dir.path()).entryList({"*.tmp"}, QDir::Files | QDir::Hidden), QStringList());
        // A later close asks as usual.
        fx->ui.clear();
        fx->ui.answerMsgBox(vb::vbCancel);
        m->mnuCloseDB_Click();
        QCOMPARE(fx->ui.titles(), QStringList{"Close Database"});
    }

    void sameFileUnderAnotherSpelling_data() {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("case") << "SOURCE.MDB";
        QTest::newRow("dot dot") << "sub/../source.mdb";
        QTest::newRow("link") << "link.mdb";
    }
    void sameFileUnderAnotherSpelling() {
        QFETCH(QString, spelling);
        openSource();
        QDir(fx->dir.path()).mkdir("sub");
        QFile::link(source, fx->path("link.mdb"));
        fx->ui.answerSave(fx->path(spelling)).answerMsgBox(vb::vbOK);
        m->mnDBSaveAs_Click();
        QCOMPARE(fx->ui.messages(), QStringList{"Save To A Different Name"});
        QCOMPARE(fx->ui.titles(), QStringList{"Save As Database."});
        QVERIFY(DBOpen);
        QCOMPARE(countRows(source), 3);
    }

    void existingTarget() {
        openSource();
        const QString target = fx->path("existing.mdb");
        makeSqliteFile(target, "CREATE TABLE UserTable (a TEXT); INSERT INTO UserTable VALUES ('old');");
        fx->ui.answerSave(target).answerMsgBox(vb::vbCancel);
        m->mnDBSaveAs_Click();
        QCOMPARE(fx->ui.messages(), QStringList{"Database already exists. Replace existing database?"});
        QCOMPARE(fx->ui.requests[1].style, int(vb::vbOKCancel));
        QCOMPARE(countRows(target), 1);
        QCOMPARE(CurrentDBPath, source);
        fx->ui.clear();
        fx->ui.answerSave(target).answerMsgBox(vb::vbOK);
        m->mnDBSaveAs_Click();
        QCOMPARE(countRows(target), 3);
        QCOMPARE(CurrentDBPath, target);
    }

    void readOnlyTargetIsNotReplaced() {
        openSource();
        const QString target = fx->path("readonly.mdb");
        makeSqliteFile(target, "CREATE TABLE UserTable (a TEXT);");
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
        fx->ui.answerSave(target).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        m->mnDBSaveAs_Click();
        QCOMPARE(fx->ui.messages().last(), target + " is read-only and cannot be replaced. Choose another name.");
        QCOMPARE(fx->ui.titles().last(), QString("Save As Database"));
        QCOMPARE(countRows(target), 0);
        QCOMPARE(CurrentDBPath, source);
    }

    void recordBeingAddedIsNotLost() {
        openSource();
        DataInput::instance().cmdAction_Click(0);   // Add
        QVERIFY(DataInput::instance().EditMode() != 0);
        fx->ui.answerMsgBox(vb::vbOK);
        m->mnDBSaveAs_Click();
        QCOMPARE(fx->ui.titles(), QStringList{"Save As Database"});
        QVERIFY(DBOpen);
        QVERIFY(DataInput::instance().EditMode() != 0);
    }

    // A copy that cannot be made names its cause in one box; the open database stays open and an
    // existing target as it was.
    void failedCopyKeepsTheTargetAndTheOpenDatabase_data() {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");   // how the box begins; %1 is the target
        QTest::newRow("target locked by another program") << "locked" << "%1 is locked by another program.";
        QTest::newRow("unwritable folder") << "folder" << "Permission denied: %1 may not be written";
        QTest::newRow("full disk") << "full" << "Disk full: there is no room on the disk for %1.";
        QTest::newRow("missing folder") << "missing" << "Path not found: the folder of %1 does not exist.";
        QTest::newRow("database locked by another program")
            << "source locked" << "Database is Locked by another program, the database was not saved.";
    }
    void failedCopyKeepsTheTargetAndTheOpenDatabase() {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        openSource();
        const QString folder = fx->path(fault == "missing" ? "no such folder" : "out");
        QDir().mkpath(fault == "missing" ? fx->path("") : folder);
        const QString target = folder + "/copy.mdb";
        const bool existed = fault == "locked";
        if (existed) makeSqliteFile(target, "CREATE TABLE UserTable (a TEXT);");
        if (fault == "folder") QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        fx->ui.answerSave(target).answerMsgBox(vb::vbOK);
        if (existed) fx->ui.answerMsgBox(vb::vbOK);   // replace it
        std::optional<testfaults::OtherProgramLock> lock;
        std::optional<testfaults::FileSizeLimit> full;
        if (fault.endsWith("locked")) lock.emplace(fault == "locked" ? target : source);
        if (fault == "full") full.emplace(4096);
        m->mnDBSaveAs_Click();
        lock.reset(), full.reset();
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QCOMPARE(fx->ui.messages().size(), existed ? 2 : 1);
        QVERIFY2(fx->ui.messages().last().startsWith(QString(message).replace("%1", target)), qPrintable(fx->ui.messages().last()));
        QCOMPARE(fx->ui.titles().last(), QString("Save As Database"));
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, source);
        if (existed) QCOMPARE(countRows(target), 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), existed ? QStringList{"copy.mdb"} : QStringList());
    }

    void accountsAskForTheLogin() {
        openSource(QString(kUserTable) + kProfile);
        const QString target = fx->path("secured copy.mdb");
        fx->ui.answerSave(target).answerModal([](QDialog&) {
            frmLogin::instance().cmdCancel_Click();
            return int(QDialog::Rejected);
        });
        m->mnDBSaveAs_Click();
        QVERIFY(!DBOpen);
        QVERIFY(CurrentDBPath.isEmpty());
        QVERIFY(!m->TabStrip1->isEnabled());
        QVERIFY(QFile::exists(target));
        QVERIFY(!m->MenuVisible(frmMain::Menu::UserMaint));
        QVERIFY(!m->MenuVisible(frmMain::Menu::ScrConfig));
    }
};

RV_TEST(SaveAsTest)
#include "SaveAsTest.moc"
