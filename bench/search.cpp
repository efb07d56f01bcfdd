// Times the search on a database of 100,000 records of the widest shape (20 fields, notes, 20
// keyword columns): (a) a text "contains" And an integer >= And one keyword, (b) a notes search.
// Each run goes through the engine the search view uses, with the marks, the final SELECT and
// the first screen of the grid's model, beside the same clear/mark/flag/select written by hand in
// one transaction on the same file. The last line is "ratio <worst of the two>".
//   build-rel/bench_search [database file]   (a named file is kept and reused; else one of this run's own)
#include "BenchSupport.h"
#include "WidestDatabase.h"
#include "create/DatabaseBuilder.h"
#include "platform/db/Connection.h"
#include "search/SearchEngine.h"
#include "search/SearchResultModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>

using bench::ms;

namespace {

constexpr int kRecords = 100000;
constexpr int kRuns = 5;

double rssMb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void exec(sqlite3* db, const char* sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "SQL failed: %s\n", err ? err : "");
        sqlite3_free(err);
    }
}

// The same work written by hand: one transaction of plain UPDATEs, then the ids and first screen.
double handRun(sqlite3* db, const char* marks, const char* select, qint64& found) {
    QElapsedTimer t;
    t.start();
    exec(db, "BEGIN");
    exec(db, "UPDATE UserTable SET SrchInt = 0, SrchKey = 0, SrchMemo = 0, RptFlg = 0 "
             "WHERE SrchInt > 0 OR SrchKey > 0 OR SrchMemo > 0 OR RptFlg <> 0");
    exec(db, marks);
    exec(db, "COMMIT");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, select, -1, &st, nullptr);
    found = 0;
    while (sqlite3_step(st) == SQLITE_ROW) ++found;
    sqlite3_finalize(st);
    const std::string first = std::string("SELECT * FROM (") + select + ") LIMIT 30";
    sqlite3_prepare_v2(db, first.c_str(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    return ms(t);
}

double best(std::vector<double> v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    bench::SilentUi ui;
    vb::setUi(&ui);
    // A database of this run's own unless one is named: removed with its folder at the end.
    QTemporaryDir scratch;
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : scratch.filePath(QStringLiteral("bench-search.mdb"));
    if (!QFile::exists(path)) {
        std::printf("building %d records at %s\n", kRecords, qPrintable(path));
        if (!bench::buildWidestDatabase(path, kRecords)) return 1;
    }
    const QString connStr = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
    db::Connection conn;
    conn.Open(connStr);
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(raw, 2000);

    struct Case {
        const char* name;
        search::Criteria criteria;
        const char* marks;
        const char* select;
    };
    const search::Criteria three = bench::threeCriteria();
    const search::Criteria notes = bench::notesCriteria();
    const QString kw = bench::keywordMatchSql();
    const QByteArray threeMarks =
        ("UPDATE UserTable SET SrchInt = 1 WHERE F1 LIKE '%ab%'; "
         "UPDATE UserTable SET SrchInt = 2 WHERE SrchInt = 1 AND F2 >= 500; "
         "UPDATE UserTable SET SrchKey = 1 WHERE " + kw + "; "
         "UPDATE UserTable SET RptFlg = 1 WHERE SrchInt = 2 AND SrchKey <> 0;").toUtf8();
    const std::vector<Case> cases = {
        {"3 criteria (text, integer, keyword)", three, threeMarks.constData(),
         "SELECT * FROM UserTable WHERE SrchInt = 2 AND SrchKey <> 0"},
        {"notes", notes,
         "UPDATE UserTable SET SrchMemo = 1 WHERE Memofld LIKE '%glise%'; "
         "UPDATE UserTable SET RptFlg = 1 WHERE SrchMemo <> 0;",
         "SELECT * FROM UserTable WHERE SrchMemo <> 0"},
    };

    double worst = 0;
    bool ok = true;
    for (const Case& c : cases) {
        std::vector<double> ours, hand;
        qint64 foundOurs = 0, foundHand = 0;
        double growth = 0;
        for (int i = 0; i < kRuns; ++i) {
            const double before = rssMb();
            ours.push_back(bench::searchThroughEngine(conn, connStr, c.criteria, foundOurs));
            growth = std::max(growth, rssMb() - before);
            hand.push_back(handRun(raw, c.marks, c.select, foundHand));
        }
        const double o = best(ours), h = best(hand), ratio = h > 0 ? o / h : 0;
        worst = std::max(worst, ratio);
        ok = ok && o < 1000 && growth < 20;
        std::printf("%-38s engine %8.1f ms   hand SQL %8.1f ms   ratio %5.2f   found %lld (hand %lld)   memory +%.1f MB\n",
                    c.name, o, h, ratio, static_cast<long long>(foundOurs), static_cast<long long>(foundHand), growth);
    }
    sqlite3_close(raw);
    conn.Close();
    vb::setUi(nullptr);
    std::printf("ratio %.2f\n", worst);
    return ok && ui.boxes == 0 ? 0 : 2;
}
