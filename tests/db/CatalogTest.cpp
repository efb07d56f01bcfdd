// The catalogue: type round trips, name rules, column rename, file creation.
#include "platform/core/VbError.h"
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "support/TestDb.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace testdb;

class CatalogTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Every type a database is built with, and the ones foreign files bring, reads back as built.
    void typesRoundTrip_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("precision");
        QTest::addColumn<int>("scale");
        QTest::addColumn<qint64>("sizeBack");
        QTest::addColumn<int>("precisionBack");
        QTest::addColumn<int>("scaleBack");
        QTest::newRow("Text") << int(db::adVarWChar) << qint64(0) << 0 << 0 << qint64(255) << 0 << 0;
        QTest::newRow("FilePath") << int(db::adVarWChar) << qint64(100) << 0 << 0 << qint64(100) << 0 << 0;
        QTest::newRow("Memo") << int(db::adLongVarWChar) << qint64(0) << 0 << 0 << qint64(0) << 0 << 0;
        QTest::newRow("Integer") << int(db::adInteger) << qint64(0) << 0 << 0 << qint64(0) << 10 << 0;
        QTest::newRow("SmallInt") << int(db::adSmallInt) << qint64(0) << 0 << 0 << qint64(0) << 5 << 0;
        QTest::newRow("Decimal/2") << int(db::adNumeric) << qint64(0) << 10 << 2 << qint64(0) << 10 << 2;
        QTest::newRow("Decimal/9") << int(db::adNumeric) << qint64(0) << 10 << 9 << qint64(0) << 10 << 9;
        QTest::newRow("Double") << int(db::adDouble) << qint64(0) << 0 << 0 << qint64(0) << 15 << 0;
        QTest::newRow("Single") << int(db::adSingle) << qint64(0) << 0 << 0 << qint64(0) << 7 << 0;
        QTest::newRow("Byte") << int(db::adUnsignedTinyInt) << qint64(0) << 0 << 0 << qint64(0) << 3 << 0;
        QTest::newRow("Date/Time") << int(db::adDate) << qint64(0) << 0 << 0 << qint64(0) << 0 << 0;
        QTest::newRow("Currency") << int(db::adCurrency) << qint64(0) << 0 << 0 << qint64(0) << 19 << 4;
        QTest::newRow("True/False") << int(db::adBoolean) << qint64(0) << 0 << 0 << qint64(0) << 0 << 0;
        QTest::newRow("Binary") << int(db::adLongVarBinary) << qint64(0) << 0 << 0 << qint64(0) << 0 << 0;
    }
    void typesRoundTrip() {
        QFETCH(int, type);
        QFETCH(qint64, size);
        QFETCH(int, precision);
        QFETCH(int, scale);
        QFETCH(qint64, sizeBack);
        QFETCH(int, precisionBack);
        QFETCH(int, scaleBack);
        QTemporaryDir dir;
        db::Catalog cat;
        cat.Create(dir.filePath("t.mdb"));
        db::TableDef t("T");
        db::ColumnDef& c = t.AppendColumn("C", db::AdoType(type), size);
        c.Precision = precision;
        c.NumericScale = scale;
        cat.Append(t);
        const auto cols = cat.Columns("T");
        QCOMPARE(cols.size(), 1);
        QCOMPARE(int(cols[0].Type), type);
        QCOMPARE(cols[0].DefinedSize, sizeBack);
        QCOMPARE(cols[0].Precision, precisionBack);
        QCOMPARE(cols[0].NumericScale, scaleBack);
        // The record set reports the same.
        db::Recordset rs;
        rs.Open("SELECT * FROM T", cat.ActiveConnection());
        QCOMPARE(int(rs.Fields("C").Type()), type);
        QCOMPARE(rs.Fields("C").NumericScale(), scaleBack);
    }

    void foreignDeclaredTypes_data() {
        QTest::addColumn<QString>("declared");
        QTest::addColumn<int>("type");
        QTest::newRow("unknown word") << "GEOMETRY" << int(db::adEmpty);
        QTest::newRow("REAL is single") << "REAL" << int(db::adSingle);
        QTest::newRow("FLOAT is double") << "FLOAT" << int(db::adDouble);
        QTest::newRow("plain TEXT") << "TEXT" << int(db::adLongVarWChar);
        QTest::newRow("DECIMAL(12,3)") << "DECIMAL(12, 3)" << int(db::adNumeric);
        QTest::newRow("int lower case") << "int" << int(db::adInteger);
    }
    void foreignDeclaredTypes() {
        QFETCH(QString, declared);
        QFETCH(int, type);
        QCOMPARE(int(db::typeOfDeclared(declared).type), type);
    }

    void namesJetRefuses_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("empty") << "";
        QTest::newRow("leading blank") << " Name";
        QTest::newRow("dot") << "a.b";
        QTest::newRow("close bracket") << "a]b";
        QTest::newRow("control") << "a\tb";
        QTest::newRow("65 characters") << QString(65, 'x');
    }
    void namesJetRefuses() {
        QFETCH(QString, name);
        QTemporaryDir dir;
        db::Catalog cat;
        cat.Create(dir.filePath("t.mdb"));
        db::TableDef t("T");
        t.AppendColumn("Ok", db::adInteger);
        t.AppendColumn(name, db::adInteger);
        QCOMPARE(errorOf([&] { cat.Append(t); }), vb::err::DB_E_ERRORSINCOMMAND);
        QVERIFY(!cat.HasTable("T"));
        db::TableDef u("U");
        u.AppendColumn("Ok", db::adInteger);
        cat.Append(u);
        QCOMPARE(errorOf([&] { cat.RenameColumn("U", "Ok", name); }), vb::err::DB_E_ERRORSINCOMMAND);
        QCOMPARE(cat.Columns("U").at(0).Name, QString("Ok"));
    }

    void appendRefuses_data() {
        QTest::addColumn<int>("what");
        QTest::addColumn<int>("number");
        QTest::newRow("duplicate, other case") << 0 << int(vb::err::DB_E_ERRORSINCOMMAND);
        QTest::newRow("scale above precision") << 1 << int(vb::err::DB_E_ERRORSINCOMMAND);
        QTest::newRow("text size 300") << 2 << int(vb::err::DB_E_ERRORSINCOMMAND);
        QTest::newRow("unknown property") << 3 << int(vb::err::ItemNotFound);
        QTest::newRow("table exists") << 4 << int(vb::err::DB_E_ERRORSINCOMMAND);
    }
    void appendRefuses() {
        QFETCH(int, what);
        QFETCH(int, number);
        QTemporaryDir dir;
        db::Catalog cat;
        cat.Create(dir.filePath("t.mdb"));
        db::TableDef t("T");
        t.AppendColumn("Total", db::adInteger);
        const int32_t got = errorOf([&] {
            if (what == 0) t.AppendColumn("TOTAL", db::adVarWChar);
            if (what == 1) {
                db::ColumnDef& c = t.AppendColumn("D", db::adNumeric);
                c.Precision = 10;
                c.NumericScale = 12;
            }
            if (what == 2) t.AppendColumn("S", db::adVarWChar, 300);
            if (what == 3) t.Column("Total").SetProperty("Colour", 1);
            if (what == 4) cat.Append(t);
            cat.Append(t);
        });
        QCOMPARE(got, number);
        QCOMPARE(cat.Tables().size(), what == 4 ? 1 : 0);
    }

    void createRefusesAnExistingFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.mdb");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("keep me");
        f.close();
        db::Catalog cat;
        QCOMPARE(errorOf([&] { cat.Create(path); }), vb::err::DB_E_DUPLICATEDATASOURCE);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("keep me"));
        QCOMPARE(errorOf([&] { cat.Create(dir.filePath("no/such/folder/t.mdb")); }), vb::err::E_FAIL_);
    }

    void renameKeepsTypeAndDescription() {
        QTemporaryDir dir;
        const QString path = buildSample(dir.filePath("sample.mdb"));
        db::Connection conn;
        conn.Open(connStr(path));
        conn.Execute("INSERT INTO UserTable (Price) VALUES (1.25)");
        db::Catalog cat(conn);
        cat.RenameColumn("UserTable", "Price", "Amount");
        cat.RenameColumn("UserTable", "SrchInt", "Mark");
        const auto cols = cat.Columns("UserTable");
        auto find = [&](const QString& n) {
            for (const auto& c : cols)
                if (c.Name == n) return c;
            return db::ColumnInfo{};
        };
        QCOMPARE(int(find("Amount").Type), int(db::adNumeric));
        QCOMPARE(find("Amount").NumericScale, 2);
        QCOMPARE(find("Mark").Description, dblayout::kSrchIntDescription);
        QCOMPARE(conn.Scalar("SELECT Amount FROM UserTable").toDouble(), 1.25);
        QCOMPARE(errorOf([&] { cat.RenameColumn("UserTable", "Nope", "X"); }), vb::err::ItemNotFound);
        QCOMPARE(errorOf([&] { cat.RenameColumn("NoTable", "Name", "X"); }), vb::err::ItemNotFound);
        QCOMPARE(errorOf([&] { cat.RenameColumn("UserTable", "Name", "age"); }), vb::err::DB_E_ERRORSINCOMMAND);
    }
};

RV_TEST(CatalogTest)
#include "CatalogTest.moc"
