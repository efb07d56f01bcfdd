// Writes cut short by a kill. A second process of the program saves a record, renames a field or
// creates a database with accounts, over and over, until it is killed (SIGKILL) at a random moment.
// Afterwards the file passes SQLite's integrity check and holds the state before or after the cut
// write, never a mixture of the two.
//
// The random delays come from a seed printed as each test starts; RAVELSTOW_KILL_SEED=<n> runs the
// same delays again.
#include "create/CreateDriver.h"
#include "entry/EntryTestUtil.h"
#include "platform/core/UiServices.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QRandomGenerator>
#include <QThread>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>

namespace {

constexpr int kKills = 20;

// ---- The child process ----

[[noreturn]] void quit(const QString& why) {
    std::fprintf(stderr, "%s\n", qPrintable(why));
    std::fflush(stderr);
    ::_exit(3);
}

// One line to the test, written at once: a line the test reads names a write that was complete.
void tell(const QString& line) {
    const QByteArray bytes = line.toUtf8() + '\n';
    if (::write(STDOUT_FILENO, bytes.constData(), size_t(bytes.size())) != bytes.size()) quit("stdout");
}

// The child's user: answers the boxes its loop expects; any other box ends the child with the
// box's text, which the test then reports.
class ChildUser final : public vb::UiServices {
public:
    ChildUser() { vb::setUi(this); }
    ~ChildUser() override { vb::setUi(nullptr); }
    QString confirm;                      // a message box beginning so is answered OK
    std::function<QString()> input;       // the input box's answer
    std::function<QString()> saveAs;      // the save dialog's answer

    int MsgBox(const QString& prompt, int, const QString& title) override {
        if (!confirm.isEmpty() && prompt.startsWith(confirm)) return vb::vbOK;
        quit(QStringLiteral("message box \"%1\": %2").arg(title, prompt));
    }
    QString InputBox(const QString& prompt, const QString&, const QString&) override {
        if (!input) quit(QStringLiteral("input box: ") + prompt);
        return input();
    }
    bool ShowSave(vb::CommonDialog& dlg) override {
        if (!saveAs) quit(QStringLiteral("save dialog: ") + dlg.DialogTitle);
        dlg.FileName = saveAs();
        dlg.FileTitle = QFileInfo(dlg.FileName).fileName();
        return true;
    }
    bool ShowOpen(vb::CommonDialog& dlg) override { quit(QStringLiteral("open dialog: ") + dlg.DialogTitle); }
    bool ShowColor(vb::CommonDialog&) override { quit(QStringLiteral("colour dialog")); }
    bool ShowFont(vb::CommonDialog&) override { quit(QStringLiteral("font dialog")); }
    void ShowHelp(const vb::CommonDialog&) override { quit(QStringLiteral("help")); }
    int RunModal(QDialog&) override { quit(QStringLiteral("modal window")); }
};

// The program as at start, in the program folder the test gave.
frmMain& startProgram(const QString& folder) {
    vb::setProgramFolderForTesting(folder);
    Module1::Reset();
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));
    frmMain& main = frmMain::instance();
    main.Quit = [] {};
    main.MDIForm_Load();
    return main;
}

// The saved record: four fields and a note of several pages, all holding the one number n.
const QStringList kSavedFields = {"One", "Two", "Three", "Four"};
QString noteOf(qint64 n) { return QStringLiteral("%1;").arg(n).repeated(1500); }

// Saves the shown record again and again with the next number, through the view's Save command.
int savingChild(const QStringList& args) {
    ChildUser user;
    startProgram(args.value(0));
    DataInput& v = entrytest::openView(args.value(1));
    qint64 n = v.flddata[1]->text().toLongLong();
    tell(QStringLiteral("ready"));
    for (;;) {
        ++n;
        for (int i = 1; i <= kSavedFields.size(); ++i) v.flddata[i]->setText(QString::number(n));
        v.txtmemo->setPlainText(noteOf(n));
        v.cmdAction_Click(3);
        tell(QString::number(n));
    }
}

// Renames the second field Col<k> to Col<k+1>, again and again, as a double-click on its label does.
int renamingChild(const QStringList& args) {
    ChildUser user;
    user.confirm = QStringLiteral("Would you like to rename this field?");
    startProgram(args.value(0));
    DataInput& v = entrytest::openView(args.value(1));
    int k = v.Label1[2]->text().mid(3).toInt();
    user.input = [&k] { return QStringLiteral("Col%1").arg(k + 1); };
    tell(QStringLiteral("ready"));
    for (;;) {
        v.Label1_DblClick(2);
        ++k;
        if (v.Label1[2]->text() != QStringLiteral("Col%1").arg(k)) quit(QStringLiteral("not renamed: ") + v.Label1[2]->text());
        tell(QString::number(k));
    }
}

QString createdPath(const QString& folder, int k) { return QDir(folder).filePath(QStringLiteral("Db%1.mdb").arg(k)); }
QStringList createdFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("Db*.mdb")}, QDir::Files, QDir::Name);
}
Definition withAccounts() {
    Definition d;
    d.fields = {{"Title"}, {"Total", "Number/Integer"}};
    d.notes = true;
    d.keywords = "2";
    d.security = true;
    return d;
}

// Creates Db<k>.mdb with accounts, k = 1, 2, ..., through the definition form's Create command.
int creatingChild(const QStringList& args) {
    ChildUser user;
    frmMain& main = startProgram(args.value(0));
    const QString folder = args.value(1);
    int k = int(createdFiles(folder).size());
    user.saveAs = [&] { return createdPath(folder, k + 1); };
    tell(QStringLiteral("ready"));
    for (;;) {
        defineDatabase(main, withAccounts());
        CreateDatabase::instance().CmdCreate->click();
        ++k;
        if (!QFileInfo::exists(createdPath(folder, k))) quit(QStringLiteral("not created: ") + createdPath(folder, k));
        tell(QString::number(k));
        Module1::SilentClose = true;
        Module1::CloseDatabase();
        Module1::SilentClose = false;
    }
}

// Begins writing args[1] (a file, or a database through its engine) and is killed while it writes.
int writingChild(const QStringList& args) {
    vb::setProgramFolderForTesting(args.value(0));
    vb::ReplacingFile out(args.value(1));
    sqlite3* db = nullptr;
    if (args.value(2) == QLatin1String("file")) out.write(QByteArray(1 << 20, 'x'));
    else if (sqlite3_open(out.libraryPath().toUtf8().constData(), &db) == SQLITE_OK)
        sqlite3_exec(db, "CREATE TABLE t(x); BEGIN; INSERT INTO t VALUES (zeroblob(100000))", nullptr, nullptr, nullptr);
    tell(QStringLiteral("ready\nwriting"));
    for (;;) ::pause();
}

// ---- The test's side ----

// The rows of a query on the file, columns joined by '|', rows by '\n'; "error: ..." on a failure.
// The file is opened for writing, so that a journal left by the kill is rolled back first.
QString query(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QStringList rows;
    QString error;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        char* msg = nullptr;
        auto row = [](void* out, int n, char** values, char**) {
            QStringList cells;
            for (int i = 0; i < n; ++i) cells << QString::fromUtf8(values[i] ? values[i] : "NULL");
            static_cast<QStringList*>(out)->append(cells.join('|'));
            return 0;
        };
        if (sqlite3_exec(db, sql.toUtf8().constData(), row, &rows, &msg) != SQLITE_OK)
            error = QString::fromUtf8(msg ? msg : "?");
        sqlite3_free(msg);
    }
    sqlite3_close(db);
    return error.isEmpty() ? rows.join('\n') : QStringLiteral("error: ") + error;
}

// The files of the folder that begin with a dot: the program's temporary files and their journals.
QStringList hiddenFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QRegularExpression(QStringLiteral("^\\.")));
}

struct Cut {
    QStringList told;    // the lines after "ready": one per complete write, at least one
    int delay = 0;
    qint64 pid = 0;
    QString failure;     // the child ended by itself, or never became ready
};

}  // namespace

RV_TEST_CHILD(saving, savingChild)
RV_TEST_CHILD(renaming, renamingChild)
RV_TEST_CHILD(creating, creatingChild)
RV_TEST_CHILD(writing, writingChild)

class KilledWritesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;
    quint32 seed = 0;
    QRandomGenerator random;

    // Starts the child and, once it has written once, lets it go on for a random 0..maxDelay ms
    // before killing it.
    Cut killDuring(const char* child, const QStringList& args, int maxDelay) {
        Cut cut;
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), QStringList{"--child", child} + args);
        QByteArray out;
        auto wrote = [&out] { return out.startsWith("ready\n") && out.count('\n') >= 2; };
        QElapsedTimer t;
        t.start();
        while (!wrote() && t.elapsed() < 20000 && p.state() != QProcess::NotRunning) {
            p.waitForReadyRead(1000);
            out += p.readAllStandardOutput();
        }
        cut.pid = p.processId();
        const bool started = wrote();
        if (started) {
            cut.delay = int(random.bounded(maxDelay + 1));
            QThread::msleep(cut.delay);
        }
        p.kill();
        p.waitForFinished(10000);
        out += p.readAllStandardOutput();
        if (!started || p.exitStatus() != QProcess::CrashExit)
            cut.failure = QStringLiteral("the child stopped or never wrote (exit code %1): %2")
                              .arg(p.exitCode())
                              .arg(QString::fromUtf8(p.readAllStandardError()).trimmed());
        cut.told = QString::fromUtf8(out).split('\n').mid(1);
        cut.told.removeAll(QString());
        return cut;
    }
    QString where(int kill, const Cut& cut) const {
        return QStringLiteral("seed %1, kill %2 after %3 ms: ").arg(seed).arg(kill).arg(cut.delay);
    }
    void summary(const char* what, int writes, int midWrite) {
        qInfo("%s: %d kills, %d writes done, %d kills left a write unfinished", what, kKills, writes, midWrite);
    }

private Q_SLOTS:
    void initTestCase() {
        bool given = false;
        seed = qgetenv("RAVELSTOW_KILL_SEED").toUInt(&given);
        if (!given) seed = QRandomGenerator::system()->generate();
    }
    void init() {
        fx = std::make_unique<Fixture>(Fixture::WithMainWindow);
        random.seed(seed);
        qInfo("seed %u (RAVELSTOW_KILL_SEED=%u repeats these kills)", seed, seed);
    }
    void cleanup() { fx.reset(); }

    // A save writes every field of the record, or none: all hold one number, the last the child
    // reported or the one after it.
    void killedSaveLeavesTheRecordWhole() {
        const QString path = testdb::build(fx->path("saves.mdb"),
                                           {{"One", "Text", ""}, {"Two", "Text", ""}, {"Three", "Text", ""},
                                            {"Four", "Number/Integer", ""}},
                                           true);
        testdb::exec(path, QStringLiteral("INSERT INTO UserTable (One, Two, Three, Four, Memofld, SrchInt, SrchKey, "
                                          "SrchMemo, RptFlg) VALUES ('0', '0', '0', 0, '%1', 0, 0, 0, 0)")
                               .arg(noteOf(0)));
        int writes = 0, midWrite = 0;
        for (int kill = 1; kill <= kKills; ++kill) {
            const Cut cut = killDuring("saving", {fx->dir.path(), path}, 80);
            QVERIFY2(cut.failure.isEmpty(), qPrintable(where(kill, cut) + cut.failure));
            midWrite += QFileInfo::exists(path + "-journal");
            const qint64 told = cut.told.last().toLongLong();
            writes += int(cut.told.size());
            QCOMPARE(query(path, "PRAGMA integrity_check"), QString("ok"));
            const QStringList record = query(path, "SELECT One, Two, Three, Four, Memofld FROM UserTable").split('|');
            QVERIFY2(record.size() == 5, qPrintable(where(kill, cut) + record.join('|').left(200)));
            const qint64 stored = record[0].toLongLong();
            QVERIFY2(stored == told || stored == told + 1,
                     qPrintable(where(kill, cut) + QStringLiteral("the file holds %1, the child had saved %2").arg(stored).arg(told)));
            QVERIFY2(record.mid(0, 4) == QStringList(4, QString::number(stored)) && record[4] == noteOf(stored),
                     qPrintable(where(kill, cut) + "a torn record: " + record.mid(0, 4).join('|') + " and a note of " +
                                QString::number(record[4].size()) + " characters"));
        }
        summary("saves", writes, midWrite);
    }

    // A renamed field has its old name or its new one, and its values and the other fields' stay.
    void killedRenameKeepsTheData() {
        const QString path = testdb::build(fx->path("renames.mdb"),
                                           {{"Name", "Text", ""}, {"Col0", "Text", ""}, {"Amount", "Number/Integer", ""}});
        testdb::exec(path, "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 200) "
                           "INSERT INTO UserTable (Name, Col0, Amount, SrchInt, SrchKey, RptFlg) "
                           "SELECT 'n' || i, 'value ' || i, i * 7, 0, 0, 0 FROM c");
        const QString data = query(path, "SELECT Name, Col0, Amount FROM UserTable ORDER BY TolvaneID");
        const QStringList columns = testdb::columns(path);
        const int at = int(columns.indexOf("Col0"));
        int writes = 0, midWrite = 0;
        for (int kill = 1; kill <= kKills; ++kill) {
            const Cut cut = killDuring("renaming", {fx->dir.path(), path}, 60);
            QVERIFY2(cut.failure.isEmpty(), qPrintable(where(kill, cut) + cut.failure));
            midWrite += QFileInfo::exists(path + "-journal");
            const int told = cut.told.last().toInt();
            writes += int(cut.told.size());
            QCOMPARE(query(path, "PRAGMA integrity_check"), QString("ok"));
            QStringList now = testdb::columns(path);
            const QString name = now.value(at);
            QVERIFY2(name == QStringLiteral("Col%1").arg(told) || name == QStringLiteral("Col%1").arg(told + 1),
                     qPrintable(where(kill, cut) + QStringLiteral("the columns are %1, the child had renamed the field Col%2")
                                                      .arg(now.join(',')).arg(told)));
            now[at] = QStringLiteral("Col0");
            QCOMPARE(now, columns);
            QCOMPARE(query(path, QStringLiteral("SELECT Name, %1, Amount FROM UserTable ORDER BY TolvaneID").arg(name)), data);
        }
        summary("renames", writes, midWrite);
    }

    // A database created with accounts is there complete, with its Admin account, or not at all;
    // the temporary file a kill leaves is gone once the program next creates a file there.
    void killedCreateLeavesNoUnfinishedDatabase() {
        const QString folder = fx->path("DBFiles");
        QVERIFY(QDir().mkpath(folder));
        int created = 0, writes = 0, midWrite = 0;
        for (int kill = 1; kill <= kKills; ++kill) {
            const Cut cut = killDuring("creating", {fx->dir.path(), folder}, 150);
            QVERIFY2(cut.failure.isEmpty(), qPrintable(where(kill, cut) + cut.failure));
            midWrite += !hiddenFiles(folder).filter(QStringLiteral("-%1-").arg(cut.pid)).isEmpty();
            const int told = cut.told.last().toInt();
            writes += int(cut.told.size());
            const QStringList files = createdFiles(folder);
            QVERIFY2(files.size() == told || files.size() == told + 1,
                     qPrintable(where(kill, cut) + QStringLiteral("%1 files, the child had created %2").arg(files.size()).arg(told)));
            for (int k = created + 1; k <= files.size(); ++k) {
                const QString path = createdPath(folder, k);
                QVERIFY2(QFileInfo::exists(path), qPrintable(where(kill, cut) + files.join(',')));
                QCOMPARE(query(path, "PRAGMA integrity_check"), QString("ok"));
                QCOMPARE(query(path, "SELECT count(*) FROM UserTable"), QString("0"));
                QCOMPARE(query(path, "SELECT UserName, UserLevel FROM UserProfile"), QString("Admin|SUPRVR"));
            }
            created = int(files.size());
        }
        summary("creates", writes, midWrite);
        // The program's next create in the folder removes what the last kill left.
        const QString next = createdPath(folder, created + 1);
        defineDatabase(*fx->main, withAccounts());
        fx->ui.answerSave(next);
        CreateDatabase::instance().CmdCreate->click();
        QCOMPARE(query(next, "SELECT UserName FROM UserProfile"), QString("Admin"));
        QCOMPARE(hiddenFiles(folder), QStringList());
    }

    // A write killed in a folder of its own (an export's): the next start removes its temporary file and journal.
    void killedWriteClearedAtTheNextStart_data() {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"file", "database"}) QTest::newRow(kind) << kind;
    }
    void killedWriteClearedAtTheNextStart() {
        QFETCH(QString, kind);
        const QString folder = fx->path("Exports");
        QVERIFY(QDir().mkpath(folder));
        const Cut cut = killDuring("writing", {fx->dir.path(), folder + "/out.mdb", kind}, 0);
        QVERIFY2(cut.failure.isEmpty(), qPrintable(cut.failure));
        QCOMPARE(hiddenFiles(folder).size(), kind == "database" ? 2 : 1);
        fx->main->MDIForm_Load();
        QCOMPARE(hiddenFiles(folder), QStringList());
        QVERIFY(!QFileInfo::exists(fx->path(".TempFolders")));
    }
};

RV_TEST(KilledWritesTest)
#include "KilledWritesTest.moc"
