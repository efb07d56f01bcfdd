#include "create/CreateDatabase.h"
#include "entry/DataInput.h"
#include "reports/frmReports.h"
#include "search/frmSearch.h"
#include "shell/DBDef.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"
#include "support/Fixture.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

using namespace Module1;

class SharedStateTest : public QObject {
    Q_OBJECT
    std::unique_ptr<Fixture> fx;

    static const char* kTables() {
        return "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Name VARCHAR(50));"
               "CREATE TABLE UserProfile (UserName VARCHAR(50), PassWrd VARCHAR(50));";
    }

private Q_SLOTS:
    void initTestCase() {
        frmMain::instance().Quit = [] {};
        frmMain::instance().MDIForm_Load();
    }
    void cleanupTestCase() { delete frmMain::existing(); }
    void init() { fx = std::make_unique<Fixture>(); }
    void cleanup() { fx.reset(); }

    void checkDBStructure_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("sql");    // empty: the file is not made; "text:" prefix: a text file
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("security");  // SecurityOn afterwards (it starts true)
        QTest::newRow("missing file") << "missing.mdb" << "" << false << true;
        QTest::newRow("text file") << "notes.mdb" << "text:hello, this is not a database" << false << true;
        QTest::newRow("empty file") << "empty.mdb" << "text:" << false << false;
        QTest::newRow("both tables") << "full.mdb" << kTables() << true << true;
        QTest::newRow("no accounts") << "plain.mdb"
                                     << "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY, Name TEXT);" << true << false;
        QTest::newRow("accounts only") << "profile.mdb" << "CREATE TABLE UserProfile (UserName TEXT);" << false << true;
        QTest::newRow("view named UserTable") << "view.mdb"
                                              << "CREATE TABLE Other (a TEXT); CREATE VIEW UserTable AS SELECT * FROM Other;"
                                              << false << false;
        QTest::newRow("name in other case") << "case.mdb" << "CREATE TABLE usertable (a TEXT);" << true << false;
        QTest::newRow("semicolon in path") << "a;b.mdb" << "CREATE TABLE UserTable (a TEXT);" << true << false;
    }
    void checkDBStructure() {
        QFETCH(QString, name);
        QFETCH(QString, sql);
        QFETCH(bool, accepted);
        QFETCH(bool, security);
        const QString path = fx->path(name);
        if (sql.startsWith("text:")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(sql.mid(5).toUtf8());
        } else if (!sql.isEmpty()) {
            makeSqliteFile(path, sql);
        }
        SecurityOn = true;
        CurrentDBPath = path;
        QCOMPARE(Module1::CheckDBStructure(), accepted);
        QCOMPARE(SecurityOn, security);
        QVERIFY(fx->ui.requests.isEmpty());   // silent in every case
        if (sql.isEmpty()) QVERIFY2(!QFile::exists(path), "the check must not create a file");
    }

    void closeWithNoDatabaseShowsTheDefinitionForm() {
        for (bool before : {true, false}) {
            CloseConfirmed = before;
            CloseDatabase();
            QVERIFY(CreateDatabase::instance().IsLoaded());
            QCOMPARE(CloseConfirmed, before);
            CreateDatabase::instance().Unload();
        }
    }

    void closePromptCancelKeepsEverything() {
        const QString path = openDatabase();
        fx->ui.answerMsgBox(vb::vbCancel);
        CloseDatabase();
        QCOMPARE(fx->ui.messages(), QStringList({"Do you want to close current database: " + path + "?\r\n\r\n"
                                                 "Make sure current changes have been saved. "}));
        QCOMPARE(fx->ui.titles(), QStringList({"Close Database"}));
        QCOMPARE(fx->ui.requests[0].style, vb::vbOKCancel | vb::vbQuestion);
        QVERIFY(DBOpen);
        QVERIFY(!CloseConfirmed);
        QCOMPARE(CurrentDBPath, path);
        QVERIFY(DataInput::instance().IsLoaded());
    }

    void closePromptOkClosesEverything() {
        for (bool silent : {false, true}) {
            const QString path = openDatabase();
            SilentClose = silent;
            if (!silent) fx->ui.answerMsgBox(vb::vbOK);
            CloseDatabase();
            QCOMPARE(fx->ui.requests.size(), silent ? 0 : 1);
            fx->ui.clear();
            QVERIFY(!DBOpen);
            QVERIFY(!CreatingDB);
            QVERIFY(!SrchFlg);
            QVERIFY(SrchSQL.isEmpty());
            QVERIFY(CloseConfirmed);
            QVERIFY(CurrentDBPath.isEmpty());
            QCOMPARE(CurRecID, 0);
            QVERIFY(GetCurrentUser().isEmpty());
            QVERIFY(GetCurrentUserLevel().isEmpty());
            QCOMPARE(DBConnStr, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + path);
            QVERIFY(SecurityOn);
            for (Form* f : std::initializer_list<Form*>{&DataInput::instance(), &frmSearch::instance(),
                                                        &frmReports::instance(), &CreateDatabase::instance()})
                QVERIFY2(!f->IsLoaded(), qPrintable(f->Name()));
            frmMain& m = frmMain::instance();
            QCOMPARE(m.TabCaption(4), QString());
            QVERIFY(m.TabStrip1->isEnabled());
            QVERIFY(!m.MenuVisible(frmMain::Menu::ScrConfig));
            QVERIFY(!m.MenuVisible(frmMain::Menu::UserMaint));
        }
    }

    void fillKeyList_data() {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("packed");
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<int>("removed");
        QTest::newRow("duplicates in any case") << QStringList{"Red", "red", "Blue", "Red"} << "DataInput"
                                                << QStringList{"Red", "Blue", "", ""} << QStringList{"Red", "Blue"} << 2;
        QTest::newRow("no duplicates") << QStringList{"b", "a", "c"} << "Search" << QStringList{"b", "a", "c"}
                                       << QStringList{"b", "a", "c"} << 0;
        QTest::newRow("empty entries") << QStringList{"", "x", "", "X", "y"} << "DataInput"
                                       << QStringList{"x", "y", "", "", ""} << QStringList{"x", "y"} << 3;
        QTest::newRow("other window") << QStringList{"a", "A"} << "Reports" << QStringList{"a", ""} << QStringList{} << 1;
        QTest::newRow("empty array") << QStringList{} << "DataInput" << QStringList{} << QStringList{} << 0;
    }
    void fillKeyList() {
        QFETCH(QStringList, input);
        QFETCH(QString, window);
        QFETCH(QStringList, packed);
        QFETCH(QStringList, list);
        QFETCH(int, removed);
        openDatabase();
        DataInput::instance().lstKeywrd->addItem("stale");
        frmSearch::instance().lstKeywrd->addItem("stale");
        QCOMPARE(FillKeyList(input, window), removed);
        QCOMPARE(input, packed);
        auto items = [](QListWidget* l) {
            QStringList out;
            for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
            return out;
        };
        const QStringList stale{"stale"};
        QCOMPARE(items(DataInput::instance().lstKeywrd), window == "DataInput" ? list : stale);
        QCOMPARE(items(frmSearch::instance().lstKeywrd), window == "Search" ? list : stale);
    }

    void keyArraySizeHasNo16BitLimit() {
        const QString path = fx->path("count.mdb");
        makeSqliteFile(path, "CREATE TABLE UserTable (TolvaneID INTEGER PRIMARY KEY AUTOINCREMENT, Name TEXT);");
        CurrentDBPath = path;
        BuildConnStr();
        QCOMPARE(KeyArraySize(), int64_t(0));
        makeSqliteFile(path, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1639) "
                             "INSERT INTO UserTable (Name) SELECT 'r' || i FROM n;");
        QCOMPARE(KeyArraySize(), int64_t(32780));
        SetCurRecID(40000);
        QCOMPARE(CurRecID, 40000);
    }

    void countDescFldsSkipsHiddenColumns() {
        DBFldFunct& f = DataInput::instance().DBDefMain().DBFldFunct();
        QCOMPARE(CountDescFlds(), 0);
        for (const char* n : {"Name", "Age", "Memofld", "KeyWord1", "KeyWord12", "SrchInt", "SrchKey", "RptFlg", "keyword1", "PhotoFP"})
            f.Add(n, "Text");
        QCOMPARE(CountDescFlds(), 4);
    }

    void fieldCollection() {
        DBFldFunct c;
        QCOMPARE(c.Count(), 0);
        c.Add("A", "Text");
        c.Add("A", "Integer");
        c.Add("C", "Memo");
        QCOMPARE(c.Count(), 3);
        QCOMPARE(c.Item(2).FldType, QString("Integer"));
        c.CollDelete(1);
        QCOMPARE(c.Item(1).FldType, QString("Integer"));
        for (int bad : {0, 3}) QCOMPARE(testdb::errorOf([&] { c.Item(bad); }), vb::err::SubscriptRange);
        DBFlds& f = c.Item(1);
        QCOMPARE(f.ID(), QString());
        f.SetID("first");
        f.SetID("second");
        QCOMPARE(f.ID(), QString("first"));
    }

private:
    // A database with one record, open as the Open command leaves it, with every view shown.
    QString openDatabase() {
        const QString path = fx->path("db.mdb");
        if (!QFile::exists(path)) {
            testdb::build(path, {{"Name", "Text", ""}}, true, 2);
            testdb::exec(path, "INSERT INTO UserTable (Name, SrchInt, SrchKey, RptFlg) VALUES ('x', 0, 0, 0)");
        }
        CurrentDBPath = path;
        BuildConnStr();
        DBOpen = true;
        CreatingDB = true;
        SrchFlg = true;
        SrchSQL = "SELECT * FROM UserTable";
        SecurityOn = true;
        CurRecID = 7;
        SetCurrentUser("Admin");
        SetCurrentUserLevel("SUPRVR");
        frmMain& m = frmMain::instance();
        m.SetTabCaption(4, CurrentDBPath);
        m.TabStrip1->setEnabled(true);
        m.SetMenuVisible(frmMain::Menu::ScrConfig, true);
        m.SetMenuVisible(frmMain::Menu::UserMaint, true);
        DataInput::instance().Show();
        frmSearch::instance().Show();
        frmReports::instance().Show();
        CreateDatabase::instance().Show();
        return path;
    }
};

RV_TEST(SharedStateTest)
#include "SharedStateTest.moc"
