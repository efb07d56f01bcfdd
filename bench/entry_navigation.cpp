// Opens the entry view on a database of 100,000 records, moves to the last record and back to
// the first, and prints each time beside the time of the same work done by plain SQLite
// statements. Run offscreen: QT_QPA_PLATFORM=offscreen build/bench_entry_navigation
#include "BenchSupport.h"
#include "create/DatabaseBuilder.h"
#include "entry/DataInput.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using bench::ms;

namespace {

// The time of one plain statement, stepped to its end.
double plain(sqlite3* db, const char* sql) {
    QElapsedTimer t;
    t.start();
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    return ms(t);
}

void report(const char* what, double ours, double sqlite) {
    std::printf("%-34s %9.2f ms   plain SQLite %8.2f ms   ratio %6.1f   %s\n", what, ours, sqlite,
                sqlite > 0 ? ours / sqlite : 0.0, ours < 200 ? "ok (< 200 ms)" : "SLOW");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::SilentUi ui;
    vb::setUi(&ui);
    QTemporaryDir dir;
    vb::setProgramFolderForTesting(dir.path());
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;

    DatabaseDefinition d;
    d.rows = {{"Name", "Text", ""}, {"Age", "Number/Integer", ""}, {"Price", "Number/Double", "2"},
              {"Born", "Date/Time", ""}, {"Active", "True/False", ""}};
    d.noFieldsText = QString::number(d.rows.size());
    d.bMemo = true;
    d.keyWordsText = QStringLiteral("3");
    const QString path = dir.filePath(QStringLiteral("bench.mdb"));
    if (BuildDatabase(path, d).bCreateFailed) return 1;
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    const QString fill = QStringLiteral(
        "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
        "INSERT INTO UserTable (Name, Age, Price, Born, Active, Memofld, KeyWord1, KeyWord2, KeyWord3, SrchInt, SrchKey, "
        "SrchMemo, RptFlg) SELECT 'Name ' || i, i % 90, i / 7.0, '2024-03-05 00:00:00', i % 2, 'notes of ' || i, "
        "'kw' || (i % 50), 'Kw' || (i % 40), NULL, 0, 0, 0, 0 FROM c").arg(records);
    sqlite3_exec(db, fill.toUtf8().constData(), nullptr, nullptr, nullptr);

    Module1::CurrentDBPath = path;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SetCurrentUserLevel(QStringLiteral("SUPRVR"));
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));

    std::printf("entry view on %d records\n", records);
    DataInput& v = DataInput::instance();
    QElapsedTimer t;
    t.start();
    v.Load();
    const double load = ms(t);
    const double plainLoad = plain(db, "SELECT TolvaneID FROM UserTable ORDER BY TolvaneID") +
                             plain(db, "SELECT DISTINCT KeyWord1 FROM UserTable") +
                             plain(db, "SELECT DISTINCT KeyWord2 FROM UserTable") +
                             plain(db, "SELECT DISTINCT KeyWord3 FROM UserTable");
    report("open the view (keys, keyword list)", load, plainLoad);

    t.restart();
    v.cmdNegotiate_Click(3);
    const double last = ms(t);
    report("move to the last record", last, plain(db, "SELECT * FROM UserTable ORDER BY TolvaneID DESC LIMIT 1"));
    t.restart();
    v.cmdNegotiate_Click(0);
    const double first = ms(t);
    report("move back to the first record", first, plain(db, "SELECT * FROM UserTable ORDER BY TolvaneID LIMIT 1"));
    std::printf("shown: %s / %s\n", qPrintable(v.flddata[1]->text()), qPrintable(v.lblRecord->text()));

    v.Unload();
    sqlite3_close(db);
    vb::setUi(nullptr);
    return ui.boxes == 0 && load < 200 && last < 200 && first < 200 ? 0 : 2;
}
