// Opening files, the tables-schema test, row counts and the SQL settings of every connection.
#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/JetSql.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace testdb;

class ConnectionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void dataSourceOf_data() {
        QTest::addColumn<QString>("connStr");
        QTest::addColumn<QString>("path");
        QTest::newRow("open string") << "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/tmp/a.mdb" << "/tmp/a.mdb";
        QTest::newRow("path holding ; and =") << "Provider=P;Data Source=/tmp/a;b=c.mdb" << "/tmp/a;b=c.mdb";
        QTest::newRow("no data source") << "Provider=Microsoft.Jet.OLEDB.4.0;" << "";
        QTest::newRow("plain path") << "/tmp/c.mdb" << "/tmp/c.mdb";
        QTest::newRow("path holding Data Source=") << "/tmp/Data Source=z.mdb" << "/tmp/Data Source=z.mdb";
        QTest::newRow("open string of such a path") << "Provider=P;Data Source=/tmp/Data Source=z.mdb" << "/tmp/Data Source=z.mdb";
    }
    void dataSourceOf() {
        QFETCH(QString, connStr);
        QFETCH(QString, path);
        QCOMPARE(db::Connection::DataSourceOf(connStr), path);
    }

    // Files the connection refuses, and that nothing is created on the way.
    void openRefuses_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("number");
        QTest::newRow("missing file") << "missing" << int(vb::err::E_FAIL_);
        QTest::newRow("text file") << "text" << int(vb::err::E_FAIL_);
        QTest::newRow("folder") << "folder" << int(vb::err::E_FAIL_);
        QTest::newRow("no data source") << "empty" << int(vb::err::DB_SEC_E_AUTH_FAILED);
    }
    void openRefuses() {
        QFETCH(QString, kind);
        QFETCH(int, number);
        QTemporaryDir dir;
        QString path = dir.filePath("x.mdb");
        if (kind == "text") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("Name,City\nAnn,Oslo\n" + QByteArray(200, 'x'));
        } else if (kind == "folder") {
            QVERIFY(QDir(dir.path()).mkdir("x.mdb"));
        } else if (kind == "empty") {
            path.clear();
        }
        db::Connection conn;
        QCOMPARE(errorOf([&] { conn.Open(connStr(path)); }), number);
        QVERIFY(!conn.IsOpen());
        if (kind == "missing") QVERIFY(!QFile::exists(path));
    }

    void zeroByteFileIsAnEmptyDatabase() {
        QTemporaryDir dir;
        const QString path = dir.filePath("empty.mdb");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        db::Connection conn;
        conn.Open(connStr(path));
        QVERIFY(!conn.HasTable("UserTable"));
    }

    void lockedFileIsGeneralFailure() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("sample.mdb"));
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        db::Connection conn;
        QCOMPARE(errorOf([&] { conn.Open(connStr(path)); }), vb::err::E_FAIL_);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        conn.Open(connStr(path));
        QVERIFY(conn.IsOpen());
    }

    void hasTableIsTheTablesSchemaTest() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("s.mdb"), true);
        db::Connection conn;
        conn.Open(connStr(path));
        QVERIFY(conn.HasTable("UserTable"));
        QVERIFY(conn.HasTable("usertable"));
        QVERIFY(conn.HasTable("UserProfile"));
        QVERIFY(!conn.HasTable("sqlite_sequence"));
        QVERIFY(!conn.HasTable("UserTable", "VIEW"));
        QCOMPARE(conn.TableNames(), QStringList({"UserTable", "UserProfile"}));
    }

    void rowCountAndMissingTable() {
        QTemporaryDir dir;
        db::Connection conn;
        conn.Open(connStr(buildSample(dir.filePath("sample.mdb"))));
        QCOMPARE(conn.RowCount("UserTable"), 0);
        conn.Execute("INSERT INTO UserTable (Name) VALUES (?1), (?2)", {"a", "b"});
        QCOMPARE(conn.RowCount("UserTable"), 2);
        QCOMPARE(errorOf([&] { conn.RowCount("NoSuchTable"); }), vb::err::DB_E_NOTABLE);
        QCOMPARE(errorOf([&] { conn.RowCount("User]Table"); }), vb::err::DB_E_NOTABLE);
    }

    void executeErrorsAndSettings() {
        QTemporaryDir dir;
        db::Connection conn;
        conn.Open(connStr(buildSample(dir.filePath("sample.mdb"))));
        // Double-quoted text is a name, never silently a string.
        QCOMPARE(errorOf([&] { conn.Execute("UPDATE UserTable SET Name = \"nobody\""); }), vb::err::DB_E_PARAMNOTOPTIONAL);
        QCOMPARE(errorOf([&] { conn.Execute("SELEC * FROM UserTable"); }), vb::err::DB_E_ERRORSINCOMMAND);
        QCOMPARE(errorOf([&] { conn.Execute("DELETE FROM NoSuchTable"); }), vb::err::DB_E_NOTABLE);
        QCOMPARE(conn.Scalar("PRAGMA journal_mode").toString(), QString("delete"));
        // A value with quotes travels as a parameter, unchanged.
        conn.Execute("INSERT INTO UserTable (Name) VALUES (?1)", {"O'Brien \"x\"; DROP TABLE UserTable"});
        QCOMPARE(conn.Scalar("SELECT Name FROM UserTable").toString(), QString("O'Brien \"x\"; DROP TABLE UserTable"));
        // Text compares without regard to case.
        QCOMPARE(conn.Scalar("SELECT COUNT(*) FROM UserTable WHERE Name = 'o''brien \"X\"; drop table usertable'").toInt(), 1);
        // Jet-style date literals are read as stored dates.
        conn.Execute("UPDATE UserTable SET Born = '2024-03-05 14:07:00'");
        QCOMPARE(conn.Scalar("SELECT COUNT(*) FROM UserTable WHERE Born BETWEEN (#3/1/2024#) AND (#3/6/2024#)").toInt(), 1);
        QCOMPARE(conn.Scalar("SELECT COUNT(*) FROM UserTable WHERE Born >= (#2024-03-05 14:08#)").toInt(), 0);
        QVERIFY(conn.Execute("UPDATE UserTable SET RptFlg = True") == 1);
        QCOMPARE(conn.Scalar("SELECT COUNT(*) FROM UserTable WHERE RptFlg = True").toInt(), 1);
    }

    // casefold() folds every letter as Qt folds the text the search compares it with.
    void casefoldMatchesQt_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("lower ascii") << "already folded text, 123";
        QTest::newRow("capitals past eight bytes") << "abcdefghIJKLMNOPqrstuvwxyZ@[`{";
        QTest::newRow("greek and sharp s") << QString::fromUtf8("ΣΑΣ ẞ straße");
        QTest::newRow("outside the BMP") << QString::fromUtf8("X 😀 𐐀 Y");
    }
    void casefoldMatchesQt() {
        QFETCH(QString, text);
        QTemporaryDir dir;
        db::Connection conn;
        conn.Open(connStr(buildSample(dir.filePath("sample.mdb"))));
        QCOMPARE(conn.Scalar("SELECT casefold(?1)", {text}).toString(), text.toCaseFolded());
        QCOMPARE(conn.Scalar("SELECT typeof(casefold(12))").toString(), QString("integer"));
        QCOMPARE(conn.Scalar("SELECT casefold_in(?1, NULL, 7, 'other', ?2)", {text.toCaseFolded(), text}).toInt(), 1);
        QCOMPARE(conn.Scalar("SELECT casefold_in(?1, 'other', ?2)", {text.toCaseFolded(), text + "x"}).toInt(), 0);
    }

    void transactionsRollBack() {
        QTemporaryDir dir;
        db::Connection conn;
        conn.Open(connStr(buildSample(dir.filePath("sample.mdb"))));
        conn.BeginTrans();
        conn.Execute("INSERT INTO UserTable (Name) VALUES ('x')");
        QCOMPARE(errorOf([&] { conn.BeginTrans(); }), vb::err::IllegalOperation);
        conn.RollbackTrans();
        QCOMPARE(conn.RowCount("UserTable"), 0);
        QCOMPARE(errorOf([&] { conn.CommitTrans(); }), vb::err::IllegalOperation);
    }

    void errorMapCoversEveryCode() {
        // Every primary SQLite code maps to a number; the statement faults are told apart by text.
        for (int rc = 1; rc <= 26; ++rc) QVERIFY2(db::errorNumberFor(rc) != 0, qPrintable(QString::number(rc)));
        QCOMPARE(db::errorNumberFor(SQLITE_ERROR, "no such table: X"), vb::err::DB_E_NOTABLE);
        QCOMPARE(db::errorNumberFor(SQLITE_ERROR, "no such column: X"), vb::err::DB_E_PARAMNOTOPTIONAL);
        QCOMPARE(db::errorNumberFor(SQLITE_ERROR, "near \"x\": syntax error"), vb::err::DB_E_ERRORSINCOMMAND);
        QCOMPARE(db::errorNumberFor(SQLITE_BUSY_SNAPSHOT), vb::err::E_FAIL_);
        QCOMPARE(db::errorNumberFor(SQLITE_NOTADB), vb::err::E_FAIL_);
        QCOMPARE(db::errorNumberFor(SQLITE_CONSTRAINT_NOTNULL), vb::err::E_FAIL_);
    }

    void jetSqlTranslation_data() {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<bool>("like");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("date") << "a BETWEEN (#3/5/2024#) AND (#3/6/2024 2:05:00 PM#)" << false
                              << "a BETWEEN ('2024-03-05 00:00:00') AND ('2024-03-06 14:05:00')";
        QTest::newRow("hash in text stays") << "a = '#3/5/2024#'" << false << "a = '#3/5/2024#'";
        QTest::newRow("hash in name stays") << "[x#3/5/2024#] = 1" << false << "[x#3/5/2024#] = 1";
        QTest::newRow("like") << "Name Like 'A*b?'" << true << "Name Like 'A%b_'";
        QTest::newRow("like escapes") << "Name LIKE '5%*'" << true << "Name LIKE '5\\%%' ESCAPE '\\'";
        QTest::newRow("like off") << "Name Like 'A*'" << false << "Name Like 'A*'";
        QTest::newRow("quotes doubled") << "Name = 'O''Hara' AND x = #2024-01-02#" << false
                                        << "Name = 'O''Hara' AND x = '2024-01-02 00:00:00'";
    }
    void jetSqlTranslation() {
        QFETCH(QString, jet);
        QFETCH(bool, like);
        QFETCH(QString, sqlite);
        QCOMPARE(db::translateJetSql(jet, like), sqlite);
    }
};

RV_TEST(ConnectionTest)
#include "ConnectionTest.moc"
