// Makes the databases the screenshot script opens: sample.mdb (one field of every type, notes,
// three keywords, a few records), secured.mdb (the same with accounts: Admin with the empty
// password, and a restricted account) and twenty.mdb (20 fields with long names, 20 keywords),
// built by the program's own builder.
//   rv_sampledb FOLDER
#include "create/DatabaseBuilder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>
#include <sqlite3.h>

namespace {

bool exec(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
              sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    if (!ok) std::fprintf(stderr, "%s: %s\n", qPrintable(path), sqlite3_errmsg(db));
    sqlite3_close(db);
    return ok;
}

bool make(const QString& path, bool security) {
    QFile::remove(path);
    DatabaseDefinition d;
    d.rows = {{"Name", "Text", ""},      {"Age", "Number/Integer", ""}, {"Price", "Number/Double", "2"},
              {"Born", "Date/Time", ""}, {"Cost", "Currency", ""},      {"Active", "True/False", ""},
              {"Photo", "FilePath", ""}};
    d.noFieldsText = QString::number(d.rows.size());
    d.bMemo = true;
    d.keyWordsText = QStringLiteral("3");
    d.bUserSec = security;
    if (BuildDatabase(path, d).bCreateFailed) return false;
    if (!exec(path, "INSERT INTO UserTable (Name, Age, Price, Born, Cost, Active, Memofld, SrchInt, SrchKey, RptFlg) VALUES "
                    "('Ada Lovelace', 36, 12.5, '1815-12-10 00:00:00', 3.75, 1, 'First programmer', 0, 0, 0), "
                    "('Charles Babbage', 79, 99.95, '1791-12-26 00:00:00', 120, 0, '', 0, 0, 0), "
                    "('Grace Hopper', 85, 7, '1906-12-09 00:00:00', 0.5, 1, 'Compilers', 0, 0, 0)"))
        return false;
    return !security ||
           exec(path, "INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) VALUES "
                      "('Admin', 'Administrator', 'Admin Has Full Rights On Database', 'SUPRVR', ''), "
                      "('Clerk', 'Front Desk', 'Looks records up', 'RESUSR', '')");
}

bool makeTwenty(const QString& path) {
    QFile::remove(path);
    const char* types[] = {"Text", "Number/Integer", "Number/Double", "Date/Time", "Currency", "True/False", "FilePath"};
    const char* names[] = {"Customer Name", "Street Address", "Town", "Postcode", "Telephone", "Date Of Purchase",
                           "Amount Paid", "Paid In Full", "Invoice Scan", "Serial Number", "Warranty Ends",
                           "Colour", "Weight In Kg", "Quantity", "Supplier", "Order Number", "Delivered",
                           "Price Each", "Manual", "Remarks"};
    DatabaseDefinition d;
    for (int i = 0; i < 20; ++i) {
        const QString type = QString::fromLatin1(types[i % 7]);
        d.rows.append({QString::fromLatin1(names[i]), type, type == QLatin1String("Number/Double") ? QStringLiteral("2") : QString()});
    }
    d.noFieldsText = QStringLiteral("20");
    d.bMemo = true;
    d.keyWordsText = QStringLiteral("20");
    return !BuildDatabase(path, d).bCreateFailed &&
           exec(path, "INSERT INTO UserTable ([Customer Name], SrchInt, SrchKey, RptFlg) VALUES ('Ada Lovelace', 0, 0, 0)");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rv_sampledb FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const bool ok = make(dir.filePath(QStringLiteral("sample.mdb")), false) &&
                    make(dir.filePath(QStringLiteral("secured.mdb")), true) && makeTwenty(dir.filePath(QStringLiteral("twenty.mdb")));
    return ok ? 0 : 1;
}
