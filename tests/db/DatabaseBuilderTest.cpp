// The database builder on real files: the layout of every definition, and its failures.
#include "platform/core/VbError.h"
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"
#include "support/ScriptedUi.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace testdb;
Q_DECLARE_METATYPE(Rows)

namespace {
QStringList keywords(int k) {
    QStringList l;
    for (int i = 1; i <= k; ++i) l << QStringLiteral("KeyWord%1").arg(i);
    return l;
}
}  // namespace

class DatabaseBuilderTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layout_data() {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QStringList>("columns");
        const Rows three = {{"a", "Text", ""}, {"b", "FilePath", ""}, {"c", "True/False", ""}};
        QTest::newRow("three fields, no notes, no keywords")
            << three << false << "" << QStringList{"TolvaneID", "a", "bFP", "c", "SrchInt", "SrchKey", "RptFlg"};
        QTest::newRow("notes") << three << true << "0"
                               << QStringList{"TolvaneID", "a", "bFP", "c", "Memofld", "SrchInt", "SrchKey", "SrchMemo", "RptFlg"};
        QTest::newRow("three keywords") << Rows{{"a", "Text", ""}} << false << "3"
                                        << (QStringList{"TolvaneID", "a"} + keywords(3) + QStringList{"SrchInt", "SrchKey", "RptFlg"});
        QTest::newRow("twenty keywords, notes") << Rows{{"a", "Text", ""}} << true << "20"
            << (QStringList{"TolvaneID", "a", "Memofld"} + keywords(20) + QStringList{"SrchInt", "SrchKey", "SrchMemo", "RptFlg"});
        QTest::newRow("row without a type is skipped")
            << Rows{{"a", "Text", ""}, {"b", "", ""}, {"c", "Currency", ""}} << false << ""
            << QStringList{"TolvaneID", "a", "c", "SrchInt", "SrchKey", "RptFlg"};
        QTest::newRow("type compared exactly") << Rows{{"a", "text", ""}, {"b", "Text", ""}} << false << ""
                                               << QStringList{"TolvaneID", "b", "SrchInt", "SrchKey", "RptFlg"};
        QTest::newRow("Scan and ScanFP") << Rows{{"Scan", "Text", ""}, {"Scan", "FilePath", ""}} << false << ""
                                         << QStringList{"TolvaneID", "Scan", "ScanFP", "SrchInt", "SrchKey", "RptFlg"};
        Rows twenty;
        QStringList twentyNames{"TolvaneID"};
        for (int i = 1; i <= 20; ++i) {
            twenty << DbFieldRow{QStringLiteral("F%1").arg(i), "Number/Integer", ""};
            twentyNames << QStringLiteral("F%1").arg(i);
        }
        QTest::newRow("twenty fields") << twenty << false << "" << (twentyNames + QStringList{"SrchInt", "SrchKey", "RptFlg"});
    }
    void layout() {
        QFETCH(Rows, rows);
        QFETCH(bool, notes);
        QFETCH(QString, keywords);
        QFETCH(QStringList, columns);
        QTemporaryDir dir;
        const QString path = dir.filePath("l.mdb");
        ScriptedUi ui;   // any message box would fail the test
        const auto r = BuildDatabase(path, definition(rows, notes, keywords));
        QVERIFY(!r.bCreateFailed);
        QCOMPARE(r.NoFields, rows.size());
        QCOMPARE(testdb::columns(path), columns);
        QCOMPARE(testdb::cli(path, ".tables"), QString("UserTable"));   // no accounts table without security
        QVERIFY(ui.messages().isEmpty());
    }

    void doubleFieldScale() {
        QTemporaryDir dir;
        const QString path = build(dir.filePath("d.mdb"), {{"A", "Number/Double", "1"}, {"B", "Number/Double", "4"},
                                                           {"C", "Number/Double", "9"}});
        QCOMPARE(columns(path, "UserTable", true).mid(1, 3), QStringList({"A:131", "B:131", "C:131"}));
        QCOMPARE(cli(path, "SELECT group_concat(type) FROM pragma_table_info('UserTable') WHERE name IN ('A', 'B', 'C')"),
                 QString("NUMERIC(10,1),NUMERIC(10,4),NUMERIC(10,9)"));
    }

    // Types, sizes, scales, keys and descriptions of a full database, as the file holds them.
    void columnDetails() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("s.mdb"), true);
        db::Connection conn;
        conn.Open(connStr(path));
        db::Catalog cat(conn);
        // name:type:defined size:precision:scale
        QStringList got;
        for (const auto& c : cat.Columns("UserTable"))
            got << QStringLiteral("%1:%2:%3:%4:%5").arg(c.Name).arg(c.Type).arg(c.DefinedSize).arg(c.Precision).arg(c.NumericScale);
        QCOMPARE(got, QStringList({"TolvaneID:3:0:10:0", "Name:202:255:0:0", "Age:3:0:10:0", "Price:131:0:10:2",
                                   "Born:7:0:0:0", "Cost:6:0:19:4", "Active:11:0:0:0", "PhotoFP:202:100:0:0",
                                   "Memofld:203:0:0:0", "KeyWord1:202:255:0:0", "KeyWord2:202:255:0:0",
                                   "KeyWord3:202:255:0:0", "SrchInt:2:0:5:0", "SrchKey:2:0:5:0", "SrchMemo:2:0:5:0",
                                   "RptFlg:11:0:0:0"}));
        QMap<QString, db::ColumnInfo> c;
        for (const auto& col : cat.Columns("UserTable")) c[col.Name] = col;
        QVERIFY(c["TolvaneID"].AutoIncrement && c["TolvaneID"].PrimaryKey && !c["TolvaneID"].Nullable);
        QCOMPARE(c["TolvaneID"].Description, QString("ID to track Tolvane Records(Program Use Only) DO NOT DELETE"));
        QVERIFY(c["SrchInt"].Nullable && c["SrchKey"].Nullable && c["SrchMemo"].Nullable);
        QCOMPARE(c["SrchKey"].Description, QString("SearchID to track KeyWord Search Records(Program Use Only) DO NOT DELETE"));
        QCOMPARE(c["SrchMemo"].Description, QString("SearchID to track memo Text Search Records(Program Use Only) DO NOT DELETE"));

        const auto profile = cat.Columns("UserProfile");
        QCOMPARE(profile.size(), 5);
        const QStringList names{"UserName", "FullName", "UserDescription", "UserLevel", "PassWrd"};
        const QList<qint64> sizes{20, 25, 100, 8, 8};
        const QStringList descriptions{"User Login Name", "Full Name of User", "Description of User",
                                       "Security Level Of User", "Password Of User"};
        const QList<bool> nullable{false, true, true, false, true};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(profile[i].Name, names[i]);
            QCOMPARE(int(profile[i].Type), int(db::adVarWChar));
            QCOMPARE(profile[i].DefinedSize, sizes[i]);
            QCOMPARE(profile[i].Description, descriptions[i]);
            QCOMPARE(profile[i].Nullable, nullable[i]);
        }
        QCOMPARE(conn.RowCount("UserProfile"), 0);
        QCOMPARE(conn.RowCount("UserTable"), 0);
        // Two accounts of the same name are both kept; an empty password stays empty text.
        conn.Execute("INSERT INTO UserProfile (UserName, UserLevel, PassWrd) VALUES ('Admin', 'SUPRVR', ''), ('Admin', 'RESUSR', '')");
        QCOMPARE(conn.Scalar("SELECT COUNT(*) FROM UserProfile WHERE PassWrd = ''").toInt(), 2);
    }

    // The sqlite3 program shows the layout of a built file.
    void sqliteCliShowsLayout() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("cli.mdb"), true);
        const QString out = cli(path, ".schema UserTable");
        QVERIFY(out.contains("[TolvaneID] INTEGER NOT NULL CONSTRAINT [TolvaneID] PRIMARY KEY AUTOINCREMENT"));
        QVERIFY(out.contains("[Price] NUMERIC(10,2)"));
        QVERIFY(out.contains("[PhotoFP] VARCHAR(100) COLLATE NOCASE"));
        QVERIFY(out.contains("[Memofld] LONGTEXT COLLATE NOCASE"));
        QVERIFY(out.contains("-- SearchID to track Field Search Records(Program Use Only) DO NOT DELETE"));
        const QString info = cli(path, "SELECT group_concat(name || ':' || type, ',') FROM pragma_table_info('UserProfile')");
        QCOMPARE(info, QString("UserName:VARCHAR(20),FullName:VARCHAR(25),UserDescription:VARCHAR(100),"
                                         "UserLevel:VARCHAR(8),PassWrd:VARCHAR(8)"));
        QCOMPARE(cli(path, "PRAGMA journal_mode"), QString("delete"));
    }

    // Failures: the one message frame, bCreateFailed, and what the file holds afterwards.
    void failures_data() {
        QTest::addColumn<QString>("count");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<bool>("security");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("fileLeft");
        QTest::newRow("two fields named Total") << "2" << Rows{{"Total", "Text", ""}, {"total", "Currency", ""}} << "" << false
                                                << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
        QTest::newRow("field named like a fixed column") << "1" << Rows{{"SrchInt", "Text", ""}} << "" << false
                                                         << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
        QTest::newRow("ScanFP and Scan file path") << "2" << Rows{{"ScanFP", "Text", ""}, {"Scan", "FilePath", ""}} << "" << false
                                                   << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
        QTest::newRow("field named KeyWord1 with keywords") << "1" << Rows{{"KeyWord1", "Text", ""}} << "1" << true
                                                            << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
        QTest::newRow("count not a number") << "x" << Rows{{"a", "Text", ""}} << "" << false << int(vb::err::TypeMismatch) << true;
        QTest::newRow("count above 20") << "21" << Rows{} << "" << false << int(vb::err::ControlArrayElement) << true;
        QTest::newRow("keywords not a number") << "1" << Rows{{"a", "Text", ""}} << "abc" << false
                                               << int(vb::err::TypeMismatch) << true;
        QTest::newRow("decimals not a number") << "1" << Rows{{"a", "Number/Double", "x"}} << "" << false
                                               << int(vb::err::TypeMismatch) << true;
        QTest::newRow("scale above precision") << "1" << Rows{{"a", "Number/Double", "12"}} << "" << false
                                               << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
        QTest::newRow("name refused") << "1" << Rows{{"a.b", "Text", ""}} << "" << false
                                      << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
        QTest::newRow("file exists") << "1" << Rows{{"a", "Text", ""}} << "" << false
                                     << int(vb::err::DB_E_DUPLICATEDATASOURCE) << true;
    }
    void failures() {
        QFETCH(QString, count);
        QFETCH(Rows, rows);
        QFETCH(QString, keywords);
        QFETCH(bool, security);
        QFETCH(int, number);
        QFETCH(bool, fileLeft);
        QTemporaryDir dir;
        const QString path = dir.filePath("f.mdb");
        if (number == vb::err::DB_E_DUPLICATEDATASOURCE) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not ours");
        }
        // A full set of 20 rows when the count is above 20, as the form always has.
        if (count == "21")
            for (int i = 1; i <= 20; ++i) rows << DbFieldRow{QStringLiteral("F%1").arg(i), "Text", ""};
        DatabaseDefinition def = definition(rows, false, keywords, security);
        def.noFieldsText = count;
        ScriptedUi ui;
        ui.answerMsgBox(vb::vbOK);
        const auto r = BuildDatabase(path, def);
        QVERIFY(r.bCreateFailed);
        QCOMPARE(r.errorNumber, number);
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages()[0], QStringLiteral(" Error No. %1 \r\n").arg(number) + r.errorDescription);
        QCOMPARE(ui.titles()[0], QString("Create New Database Error"));
        QCOMPARE(ui.requests[0].style, int(vb::vbCritical | vb::vbOKOnly));
        QCOMPARE(QFileInfo::exists(path), fileLeft);
        if (number == vb::err::DB_E_DUPLICATEDATASOURCE) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), QByteArray("not ours"));
            return;
        }
        // The file is left for the caller, holding no table at all: a later open refuses it.
        db::Connection conn;
        conn.Open(connStr(path));
        QVERIFY(!conn.HasTable("UserTable"));
        QVERIFY(!conn.HasTable("UserProfile"));
    }
};

RV_TEST(DatabaseBuilderTest)
#include "DatabaseBuilderTest.moc"
