#include "ImportDbUtil.h"
#include "create/ImportBuilder.h"
#include "platform/core/VbError.h"
#include "support/TestRegistry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using importtest::hidden;
using importtest::layout;

namespace {
struct Col {
    QString name;
    int type;
};
}  // namespace
Q_DECLARE_METATYPE(QList<Col>)

class ImportBuilderTest : public QObject {
    Q_OBJECT

    static void fill(ImportFunct& f, const QList<Col>& cols) {
        for (const Col& c : cols) f.Add(c.name, int16_t(c.type), QStringLiteral("Sheet"));
    }

private Q_SLOTS:
    void layoutOfTheNewFile_data() {
        QTest::addColumn<QList<Col>>("columns");
        QTest::addColumn<bool>("notes");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty list") << QList<Col>{} << false << "" << "TolvaneID:3 | " + hidden(false);
        QTest::newRow("empty list, notes, keywords")
            << QList<Col>{} << true << "2" << "TolvaneID:3 | Memofld:203 | KeyWord1:202 | KeyWord2:202 | " + hidden(true);
        // Each kept type stays; long text and exact numbers make no column and the order holds.
        QTest::newRow("every type") << QList<Col>{{"Name", 202}, {"Remarks", 203}, {"Count", 3}, {"Amount", 5},
                                                  {"Exact", 131}, {"Born", 7}, {"Cost", 6}, {"Paid", 11}}
                                    << false << "0"
                                    << "TolvaneID:3 | Name:202 | Count:3 | Amount:5 | Born:7 | Cost:6 | Paid:11 | " +
                                           hidden(false);
        // Names are taken as the worksheet gives them: no cleaning, no suffix.
        QTest::newRow("names kept") << QList<Col>{{"First Name #2", 202}, {"ScanFP", 202}} << true << "-1"
                                    << "TolvaneID:3 | First Name #2:202 | ScanFP:202 | Memofld:203 | " + hidden(true);
        QList<Col> twenty;
        for (int i = 1; i <= 20; ++i) twenty << Col{QStringLiteral("C%1").arg(i), 5};
        twenty << Col{"Long", 203};   // a 21st item that makes no column
        QString twentyLayout = "TolvaneID:3";
        for (int i = 1; i <= 20; ++i) twentyLayout += QStringLiteral(" | C%1:5").arg(i);
        for (int i = 1; i <= 20; ++i) twentyLayout += QStringLiteral(" | KeyWord%1:202").arg(i);
        QTest::newRow("20 fields and 20 keywords") << twenty << false << "20" << twentyLayout + " | " + hidden(false);
    }
    void layoutOfTheNewFile() {
        QFETCH(QList<Col>, columns);
        QFETCH(bool, notes);
        QFETCH(QString, keywords);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath("new.mdb");
        ImportFunct f;
        fill(f, columns);
        importdb::BuildImportDatabase(path, f, notes, keywords);
        QCOMPARE(layout(path), expected);
        QCOMPARE(importtest::contents(path), QString("UserTable rows 0"));

        db::Connection conn;
        conn.Open(path);
        db::Catalog cat(conn);
        const auto cols = cat.Columns("UserTable");
        QCOMPARE(cols[0].Description, QString("ID to track Tolvane Records"));
        QVERIFY(cols[0].AutoIncrement && cols[0].PrimaryKey);
        QCOMPARE(cols[cols.size() - 3].Description.left(8), QString("SearchID"));
    }

    void refusedNames_data() {
        QTest::addColumn<QList<Col>>("columns");
        QTest::addColumn<QString>("message");
        const QString own = "The field name '%1' is the name of one of the database's own columns. "
                            "Please remove it from the import list.";
        QTest::newRow("fine") << QList<Col>{{"Name", 202}, {"Keys of", 203}, {"Keys of", 203}, {"Monkey", 5}} << "";
        QTest::newRow("twice") << QList<Col>{{"Name", 202}, {"Age", 5}, {"Name", 7}}
                               << "The field name 'Name' is in the import list twice. Please remove one of them.";
        QTest::newRow("case only") << QList<Col>{{"Name", 202}, {"NAME", 5}}
                                   << "The field names 'Name' and 'NAME' differ only in case, which the database does not "
                                      "tell apart. Please remove one of them.";
        QTest::newRow("TolvaneID") << QList<Col>{{"tolvaneid", 5}} << own.arg("tolvaneid");
        QTest::newRow("Memofld") << QList<Col>{{"Memofld", 202}} << own.arg("Memofld");
        QTest::newRow("RptFlg") << QList<Col>{{"RptFlg", 11}} << own.arg("RptFlg");
        QTest::newRow("SrchMemo") << QList<Col>{{"SRCHMEMO", 202}} << own.arg("SRCHMEMO");
        QTest::newRow("keyword") << QList<Col>{{"keyword12", 202}} << own.arg("keyword12");
        QTest::newRow("Key prefix") << QList<Col>{{"Keys", 202}}
                                    << "The field name 'Keys' begins with Key, which is reserved for keyword columns. "
                                       "Please remove it from the import list.";
        QTest::newRow("SrchInt prefix") << QList<Col>{{"SrchInterval", 5}}
                                        << "The field name 'SrchInterval' begins with SrchInt, which is reserved for the "
                                           "database's own columns. Please remove it from the import list.";
    }
    void refusedNames() {
        QFETCH(QList<Col>, columns);
        QFETCH(QString, message);
        ImportFunct f;
        fill(f, columns);
        QCOMPARE(importdb::RefusedColumnName(f), message);
    }

    void refused_data() {
        QTest::addColumn<QList<Col>>("columns");
        QTest::addColumn<QString>("keywords");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("fileMade");   // the catalogue had made the empty file
        QList<Col> many;
        for (int i = 1; i <= 21; ++i) many << Col{QStringLiteral("C%1").arg(i), 202};
        QTest::newRow("21 fields") << many << "" << int(vb::err::InvalidProcCall) << false;
        QTest::newRow("keywords past 16 bits") << QList<Col>{} << "40000" << int(vb::err::Overflow) << false;
        // Names the table cannot take are refused before the file is made.
        QTest::newRow("same name twice") << QList<Col>{{"Name", 202}, {"name", 5}} << "" << int(vb::err::InvalidProcCall)
                                         << false;
        QTest::newRow("a fixed column's name") << QList<Col>{{"RptFlg", 202}} << "" << int(vb::err::InvalidProcCall) << false;
        QTest::newRow("a keyword column's name")
            << QList<Col>{{"KeyWord1", 202}} << "1" << int(vb::err::InvalidProcCall) << false;
        // A name the catalogue itself refuses still fails in the build.
        QTest::newRow("a full stop") << QList<Col>{{"Unit.Price", 5}} << "" << int(vb::err::DB_E_ERRORSINCOMMAND) << true;
    }
    void refused() {
        QFETCH(QList<Col>, columns);
        QFETCH(QString, keywords);
        QFETCH(int, error);
        QFETCH(bool, fileMade);
        QTemporaryDir dir;
        const QString path = dir.filePath("new.mdb");
        ImportFunct f;
        fill(f, columns);
        int got = 0;
        try {
            importdb::BuildImportDatabase(path, f, false, keywords);
        } catch (const vb::VbError& e) {
            got = e.number;
        }
        QCOMPARE(got, error);
        QCOMPARE(QFile::exists(path), fileMade);
        if (fileMade) {
            // The file holds no table: UserTable is appended only once it is complete.
            db::Connection conn;
            conn.Open(path);
            QVERIFY(conn.TableNames().isEmpty());
        }
    }
};

RV_TEST(ImportBuilderTest)
#include "ImportBuilderTest.moc"
