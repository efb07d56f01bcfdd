// The Create command: the checks before the dialog, the dialog, the replacing of an existing file,
// the build, the first account and the new file opened at once.
#include "create/CreateDatabase.h"
#include "create/CreateDriver.h"
#include "entry/DataInput.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"
#include "support/Faults.h"

#include <QDir>
#include <QFile>
#include <QTabBar>
#include <QTest>

using namespace Module1;
using testdb::cli;
using testdb::columns;

namespace {
const char* kUserTable = "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(50));";

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

Definition threeFields(bool security = false) {
    Definition d;
    d.fields = {{"Title"}, {"Total"}, {"Done", "True/False"}};
    d.security = security;
    return d;
}
}  // namespace

class CreateCommandTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    frmMain* m = nullptr;

    CreateDatabase& form() { return CreateDatabase::instance(); }
    QString dbPath(const QString& name) { return QDir(fx->path("DBFiles")).filePath(name); }
    QStringList leftovers() {
        return QDir(fx->path("DBFiles")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // A database of this program with n records, made directly.
    QString existingDatabase(const QString& name, int records) {
        QDir().mkpath(fx->path("DBFiles"));
        QString sql = kUserTable;
        for (int i = 0; i < records; ++i) sql += QString("INSERT INTO UserTable (Name) VALUES ('r%1');").arg(i);
        makeSqliteFile(dbPath(name), sql);
        return dbPath(name);
    }
    void create(const QString& path) {
        fx->ui.answerSave(path);
        form().CmdCreate->click();
    }

private Q_SLOTS:
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        m = fx->main;
    }
    void cleanup() { fx.reset(); }

    // A disk that fills up while a database with accounts is built: either no file and no
    // temporary file is left, or the complete file with its first account.
    void fullDiskLeavesNoFileOrAComplete() {
        int failures = 0, complete = 0;
        for (int kb : {4, 8, 12, 16, 20, 24, 28, 40}) {
            const QString path = dbPath(QString("Full%1.mdb").arg(kb));
            defineDatabase(*m, threeFields(true));
            fx->ui.answerSave(path).answerMsgBox(vb::vbOK);
            {
                const testfaults::FileSizeLimit full(rlim_t(kb) * 1024);
                form().CmdCreate->click();
            }
            const bool failed = fx->ui.pending() == 0;
            fx->ui.clear();
            QStringList left = leftovers();
            left.removeIf([](const QString& n) { return !n.startsWith("Full") && !n.startsWith(".Full"); });
            ++(failed ? failures : complete);
            if (failed) {
                QVERIFY2(!QFile::exists(path), qPrintable(QString::number(kb)));
            } else {
                QCOMPARE(cli(path, "SELECT UserName || '|' || UserLevel FROM UserProfile"), QString("Admin|SUPRVR"));
                QCOMPARE(cli(path, "PRAGMA integrity_check"), QString("ok"));
                QFile::remove(path);
                left.removeAll(QFileInfo(path).fileName());
            }
            QVERIFY2(left.isEmpty(), qPrintable(left.join(',')));
            if (DBOpen) {
                SilentClose = true;
                CloseDatabase();
                SilentClose = false;
            }
        }
        QVERIFY(failures > 0 && complete > 0);
    }

    void createsAndOpensTheDatabase() {
        Definition d;
        d.fields = {{"Title"}, {"Unit Cost", "Number/Double", "2"}, {"Scan", "FilePath"}};
        d.notes = true;
        d.security = true;
        d.keywords = "2";
        defineDatabase(*m, d);
        QVERIFY(!QFile::exists(fx->path("DBFiles")));
        const QString path = dbPath("Stock.mdb");
        create(path);
        QVERIFY(fx->ui.messages().isEmpty());

        const auto& dlg = fx->ui.requests.first().dialog;
        QCOMPARE(dlg.DialogTitle, QString("Create New Database"));
        QCOMPARE(dlg.InitDir, fx->path("DBFiles"));
        QVERIFY(QFileInfo(fx->path("DBFiles")).isDir());

        // The file.
        QCOMPARE(columns(path), QStringList({"TolvaneID", "Title", "Unit_Cost", "ScanFP", "Memofld", "KeyWord1", "KeyWord2",
                                               "SrchInt", "SrchKey", "SrchMemo", "RptFlg"}));
        QCOMPARE(cli(path, "SELECT type FROM pragma_table_info('UserTable') WHERE name IN ('Unit_Cost', 'ScanFP')"),
                 QString("NUMERIC(10,2)\nVARCHAR(100)"));
        QCOMPARE(cli(path, "SELECT UserName, FullName, UserDescription, UserLevel, quote(PassWrd) FROM UserProfile"),
                 QString("Admin|Administrator|Admin Has Full Rights On Database|SUPRVR|''"));
        QCOMPARE(leftovers(), QStringList{"Stock.mdb"});

        // Open at once, without a login.
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, path);
        QCOMPARE(GetCurrentUser(), QString("Admin"));
        QCOMPARE(GetCurrentUserLevel(), QString("SUPRVR"));
        QCOMPARE(m->TabCaption(4), path);
        QVERIFY(m->TabStrip1->isEnabled());
        QCOMPARE(m->SelectedTab(), 1);
        QVERIFY(m->MenuVisible(frmMain::Menu::UserMaint));
        QVERIFY(m->MenuVisible(frmMain::Menu::ScrConfig));
        QVERIFY(DataInput::instance().IsLoaded());
        QCOMPARE(Form::ActiveForm(), &DataInput::instance());
        QVERIFY(form().IsLoaded());
        QVERIFY(!form().bCreateFailed);
        // The form stays loaded behind the entry view until the database is closed.
        fx->ui.answerMsgBox(vb::vbOK);
        m->mnuCloseDB_Click();
        QVERIFY(!form().IsLoaded());
        QVERIFY(!DBOpen);
    }

    void withoutSecurityOrKeywords_data() {
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QString>("boxAfter");
        QTest::newRow("empty box") << "" << "0";
        QTest::newRow("negative") << "-3" << "-3";
    }
    void withoutSecurityOrKeywords() {
        QFETCH(QString, keywords);
        QFETCH(QString, boxAfter);
        Definition d = threeFields();
        d.keywords = keywords;
        defineDatabase(*m, d);
        const QString path = dbPath("plain.mdb");
        create(path);
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(form().txtKeyWrds->text(), boxAfter);
        QCOMPARE(columns(path), QStringList({"TolvaneID", "Title", "Total", "Done", "SrchInt", "SrchKey", "RptFlg"}));
        QCOMPARE(cli(path, ".tables"), QString("UserTable"));
        QVERIFY(DBOpen);
        QCOMPARE(GetCurrentUser(), QString("Admin"));
        QCOMPARE(GetCurrentUserLevel(), QString("SUPRVR"));
        QVERIFY(!m->MenuVisible(frmMain::Menu::UserMaint));
    }

    // A name holding "Data Source=" is a file name like any other; one holding NUL is refused.
    void namesAreNeverConnectionStrings_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("made");
        QTest::newRow("Data Source=") << "Data Source=z.mdb" << true;
        QTest::newRow("NUL") << QString("a") + QChar(0) + "b.mdb" << false;
    }
    void namesAreNeverConnectionStrings() {
        QFETCH(QString, name);
        QFETCH(bool, made);
        defineDatabase(*m, threeFields());
        QDir().mkpath(fx->path("DBFiles"));
        const QString path = dbPath(name);
        fx->ui.answerSave(path);
        if (!made) fx->ui.answerMsgBox(vb::vbOK);
        form().CmdCreate->click();
        QCOMPARE(DBOpen, made);
        QCOMPARE(leftovers(), made ? QStringList{name} : QStringList{});
        if (made) QCOMPARE(columns(path).value(1), QString("Title"));
        else QVERIFY(fx->ui.messages().value(0).contains("is not a valid file name"));
        QCOMPARE(QDir::current().entryList({"*.tmp", "z.mdb*"}, QDir::Files | QDir::Hidden), QStringList{});
    }

    // Checks before the dialog: nothing is asked for and nothing changes.
    void refusedBeforeTheDialog_data() {
        QTest::addColumn<QString>("blankName");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("blank name") << "x" << "1" << QStringList{"Description Field Names Cannot be blank"} << QStringList{"Ravelstow"};
        QTest::newRow("21 keywords") << "" << "21" << QStringList{"Enter number of keywords between 0-20."}
                                     << QStringList{"Keyword Definition"};
        QTest::newRow("keyword count no number") << "" << "many" << QStringList{"13", "Type mismatch"}
                                                 << QStringList{"Ravelstow", "Ravelstow"};
        QTest::newRow("keyword count too big") << "" << "40000" << QStringList{"6", "Overflow"}
                                               << QStringList{"Ravelstow", "Ravelstow"};
    }
    void refusedBeforeTheDialog() {
        QFETCH(QString, blankName);
        QFETCH(QString, keywords);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, titles);
        Definition d = threeFields();
        if (!blankName.isEmpty()) d.fields[1].name = "";
        d.keywords = keywords;
        defineDatabase(*m, d);
        for (int k = 0; k < messages.size(); ++k) fx->ui.answerMsgBox(vb::vbOK);
        form().CmdCreate->click();
        QCOMPARE(fx->ui.messages(), messages);
        QCOMPARE(fx->ui.titles(), titles);
        QCOMPARE(fx->ui.requests.size(), messages.size());
        QVERIFY(!DBOpen);
        QVERIFY(CurrentDBPath.isEmpty());
        QVERIFY(form().IsLoaded());
    }

    void zeroCountRefused() {
        m->mnuCreateDB_Click();
        fx->ui.answerMsgBox(vb::vbOK);
        form().CmdCreate_Click();
        QCOMPARE(fx->ui.messages(),
                 QStringList{"Number of description fields cannot be 0, please enter a number between 1-20, or cancel"});
    }

    void cancelledDialogChangesNothing() {
        defineDatabase(*m, threeFields());
        fx->ui.answerSave("");
        form().CmdCreate->click();
        QCOMPARE(fx->ui.requests.size(), 1);
        QVERIFY(CurrentDBPath.isEmpty());
        QVERIFY(!DBOpen);
        QVERIFY(leftovers().isEmpty());
        QVERIFY(!form().CmdCreate->isHidden());
        // Ready for another try.
        create(dbPath("again.mdb"));
        QVERIFY(DBOpen);
    }

    void existingDatabaseIsReplacedOnlyWhenConfirmed_data() {
        QTest::addColumn<int>("records");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<bool>("replaced");
        const QList<int> okOk{vb::vbOK, vb::vbOK}, cancel{vb::vbCancel}, okCancel{vb::vbOK, vb::vbCancel};
        const QString exists = "Database already Exists.", records = "Database Contains Records.";
        QTest::newRow("empty, Cancel") << 0 << cancel << QStringList{exists} << false;
        QTest::newRow("records, OK, OK") << 3 << okOk << QStringList{exists, records} << true;
        QTest::newRow("records, OK, Cancel") << 3 << okCancel << QStringList{exists, records} << false;
    }
    void existingDatabaseIsReplacedOnlyWhenConfirmed() {
        QFETCH(int, records);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, titles);
        QFETCH(bool, replaced);
        const QString path = existingDatabase("old.mdb", records);
        const QByteArray before = contents(path);
        defineDatabase(*m, threeFields());
        fx->ui.answerSave(path);
        for (int a : answers) fx->ui.answerMsgBox(a);
        form().CmdCreate->click();
        QCOMPARE(fx->ui.titles(), titles);
        for (const auto& r : fx->ui.requests)
            if (r.kind == ScriptedUi::Kind::MsgBox) {
                QCOMPARE(r.text, QString("Overwrite Database?"));
                QCOMPARE(r.style, int(vb::vbOKCancel));
            }
        QCOMPARE(CurrentDBPath, path);
        QCOMPARE(DBOpen, replaced);
        if (replaced) QCOMPARE(columns(path), QStringList({"TolvaneID", "Title", "Total", "Done", "SrchInt", "SrchKey", "RptFlg"}));
        else QCOMPARE(contents(path), before);
        QCOMPARE(leftovers(), QStringList{"old.mdb"});
    }

    // A file that is not a database of this program is never replaced.
    void foreignFileIsKept_data() {
        QTest::addColumn<bool>("sqlite");
        QTest::addColumn<QString>("number");
        QTest::newRow("text file") << false << QString::number(int32_t(0x80004005));
        QTest::newRow("no UserTable") << true << QString::number(int32_t(0x80040E37));
    }
    void foreignFileIsKept() {
        QFETCH(bool, sqlite);
        QFETCH(QString, number);
        QDir().mkpath(fx->path("DBFiles"));
        const QString path = dbPath("notes.mdb");
        if (sqlite) {
            makeSqliteFile(path, "CREATE TABLE Other (a TEXT);");
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("shopping list\n");
        }
        const QByteArray before = contents(path);
        defineDatabase(*m, threeFields());
        fx->ui.answerSave(path).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        form().CmdCreate->click();
        QCOMPARE(fx->ui.messages().size(), 3);
        QCOMPARE(fx->ui.messages()[1], number);
        QCOMPARE(fx->ui.titles().mid(1), QStringList({"Ravelstow", "Ravelstow"}));
        QCOMPARE(contents(path), before);
        QCOMPARE(CurrentDBPath, path);
        QVERIFY(!DBOpen);
        QCOMPARE(leftovers(), QStringList{"notes.mdb"});
    }

    // A file marked read-only, or held locked by another program, is refused as a locked file.
    void readOnlyFileIsRefusedWith70_data() {
        QTest::addColumn<bool>("locked");
        QTest::newRow("read-only") << false;
        QTest::newRow("locked by another program") << true;
    }
    void readOnlyFileIsRefusedWith70() {
        QFETCH(bool, locked);
        const QString path = existingDatabase("locked.mdb", 0);
        if (!locked) QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        const QByteArray before = contents(path);
        defineDatabase(*m, threeFields());
        fx->ui.answerSave(path).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        {
            std::unique_ptr<testfaults::OtherProgramLock> lock;
            if (locked) lock = std::make_unique<testfaults::OtherProgramLock>(path);
            form().CmdCreate->click();
        }
        QCOMPARE(fx->ui.messages(), QStringList({"Overwrite Database?", "Permission Denied, Database is locked by Program, Please Rename"}));
        QCOMPARE(fx->ui.titles()[1], QString("Ravelstow"));
        QVERIFY(form().bCreateFailed);
        QCOMPARE(contents(path), before);
        QVERIFY(!DBOpen);
        QCOMPARE(leftovers(), QStringList{"locked.mdb"});
        form().CmdCancel->click();
        QVERIFY(form().IsLoaded());
        QVERIFY(!form().bCreateFailed);
        form().CmdCancel->click();
        QVERIFY(!form().IsLoaded());
    }

    // A failed build leaves no file behind, and an existing database it was to replace survives.
    void failedBuildKeepsTheOldFileAndTheForm_data() {
        QTest::addColumn<bool>("existing");
        QTest::newRow("new path") << false;
        QTest::newRow("replacing a database with records") << true;
    }
    void failedBuildKeepsTheOldFileAndTheForm() {
        QFETCH(bool, existing);
        const QString path = existing ? existingDatabase("dup.mdb", 2) : dbPath("dup.mdb");
        const QByteArray before = contents(path);
        Definition d = threeFields();
        d.fields[0].name = "Total";
        d.notes = true;
        defineDatabase(*m, d);
        fx->ui.answerSave(path);
        if (existing) fx->ui.answerMsgBox(vb::vbOK).answerMsgBox(vb::vbOK);
        fx->ui.answerMsgBox(vb::vbOK);
        form().CmdCreate->click();
        QCOMPARE(fx->ui.titles().last(), QString("Create New Database Error"));
        QVERIFY(fx->ui.messages().last().startsWith(" Error No. "));
        QCOMPARE(fx->ui.requests.last().style, int(vb::vbCritical));
        if (existing) {
            QCOMPARE(contents(path), before);
            QCOMPARE(leftovers(), QStringList{"dup.mdb"});
        } else {
            QVERIFY(leftovers().isEmpty());
        }
        QVERIFY(!DBOpen);
        QVERIFY(!CreatingDB);
        QVERIFY(form().IsLoaded());
        QVERIFY(!form().bCreateFailed);
        QVERIFY(!form().CmdCreate->isHidden());
        QVERIFY(!form().Text3[3]->isHidden());
        // The ticked box still counts for the next try.
        QVERIFY(form().chkMemo->isChecked());
        QVERIFY(form().bMemo);
        form().Text3[1]->setText("Title");
        fx->ui.answerSave(dbPath("fixed.mdb"));
        form().CmdCreate->click();
        QVERIFY(DBOpen);
        QVERIFY(columns(dbPath("fixed.mdb")).contains("Memofld"));
    }

    // The database that is open cannot be chosen as the file to replace, by any spelling of its path.
    void openDatabaseIsNeverOverwritten_data() {
        QTest::addColumn<QString>("spelling");
        QTest::newRow("same text") << "DBFiles/open.mdb";
        QTest::newRow("other folder spelling") << "DBFiles/../DBFiles/./open.mdb";
        QTest::newRow("symbolic link") << "link.mdb";
    }
    void openDatabaseIsNeverOverwritten() {
        QFETCH(QString, spelling);
        Definition d = threeFields();
        defineDatabase(*m, d);
        const QString path = dbPath("open.mdb");
        create(path);
        QVERIFY(DBOpen);
        testdb::exec(path, "INSERT INTO UserTable (Title) VALUES ('kept')");
        QFile::link(path, fx->path("link.mdb"));
        const QByteArray before = contents(path);
        fx->ui.clear();
        // The form stays loaded behind the entry view and can be used again.
        fx->ui.answerSave(fx->path(spelling)).answerMsgBox(vb::vbOK);
        form().CmdCreate->click();
        QCOMPARE(fx->ui.messages(), QStringList{"This Database Is Open And Cannot Be Overwritten, Please Choose Another Filename"});
        QCOMPARE(fx->ui.titles(), QStringList{"Database already Exists."});
        QCOMPARE(contents(path), before);
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, path);
        QCOMPARE(DBConnStr, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
    }

    // Used again while another database is open, the form keeps that database's state until the
    // new file is built.
    void anotherCreateWhileOpen() {
        defineDatabase(*m, threeFields());
        const QString first = dbPath("first.mdb");
        create(first);
        const QString other = existingDatabase("other.mdb", 1);
        fx->ui.clear();
        fx->ui.answerSave(other).answerMsgBox(vb::vbOK).answerMsgBox(vb::vbCancel);
        form().CmdCreate->click();
        QVERIFY(DBOpen);
        QCOMPARE(CurrentDBPath, first);
        QCOMPARE(DBConnStr, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + first);

        fx->ui.clear();
        const QString second = dbPath("second.mdb");
        create(second);
        QVERIFY(fx->ui.messages().isEmpty());
        QCOMPARE(CurrentDBPath, second);
        QCOMPARE(m->TabCaption(4), second);
        QVERIFY(DataInput::instance().IsLoaded());
        QVERIFY(QFile::exists(first));
    }
};

RV_TEST(CreateCommandTest)
#include "CreateCommandTest.moc"
