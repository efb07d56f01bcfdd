// Data-layer benchmark: a 100,000-record database, the record set's work against the same work
// done by plain SQLite statements on the same file. Prints each time and the ratio.
//   build: cmake --build <build> --target bench_db_bench;  run: <build>/bench_db_bench [records]
#include "BenchSupport.h"
#include "create/DatabaseBuilder.h"
#include "platform/db/Recordset.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

using bench::ms;

namespace {

void report(const char* what, double ours, double plain) {
    std::printf("%-34s record set %9.2f ms   plain SQLite %9.2f ms   ratio %5.2f\n", what, ours, plain,
                plain > 0 ? ours / plain : 0.0);
}

void fill(const QString& path, int records) {
    sqlite3* h = nullptr;
    sqlite3_open(path.toUtf8().constData(), &h);
    sqlite3_exec(h, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h,
                       "INSERT INTO UserTable (Name, City, Age, Price, Born, Cost, Active, Memofld, KeyWord1, KeyWord2, "
                       "KeyWord3) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11)",
                       -1, &st, nullptr);
    auto* rng = QRandomGenerator::global();
    for (int i = 0; i < records; ++i) {
        const QByteArray name = "Name " + QByteArray::number(i);
        const QByteArray city = "City " + QByteArray::number(rng->bounded(500));
        const QByteArray note = "A note of record " + QByteArray::number(i) + " with some words in it";
        sqlite3_bind_text(st, 1, name.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, city.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 3, rng->bounded(100));
        sqlite3_bind_double(st, 4, rng->bounded(10000) / 100.0);
        sqlite3_bind_text(st, 5, "2024-03-05 14:07:00", -1, SQLITE_STATIC);
        sqlite3_bind_double(st, 6, rng->bounded(100000) / 100.0);
        sqlite3_bind_int(st, 7, i % 2);
        sqlite3_bind_text(st, 8, note.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 9, "red", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 10, "green", -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 11, "blue", -1, SQLITE_STATIC);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(h);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int moves = 1000;
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.mdb");
    DatabaseDefinition def;
    def.noFieldsText = "7";
    def.rows = {{"Name", "Text", ""},       {"City", "Text", ""},     {"Age", "Number/Integer", ""},
                {"Price", "Number/Double", "2"}, {"Born", "Date/Time", ""}, {"Cost", "Currency", ""},
                {"Active", "True/False", ""}};
    def.bMemo = true;
    def.keyWordsText = "3";
    if (BuildDatabase(path, def).bCreateFailed) return 1;
    QElapsedTimer t;
    t.start();
    fill(path, records);
    std::printf("%d records written in %.0f ms\n", records, ms(t));
    const char* sql = "SELECT * FROM UserTable Order By TolvaneID";

    db::Connection conn;
    conn.Open(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path);
    sqlite3* plain = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &plain, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(plain, 1000);
    // Warm the file cache for both.
    conn.RowCount("UserTable");

    // 1. Open and move to the last record (reading its values).
    int sink = 0;
    db::Recordset rs;
    t.restart();
    rs.Open(QString::fromLatin1(sql), conn);
    const double openOurs = ms(t);
    rs.MoveLast();
    for (int i = 0; i < rs.FieldCount(); ++i) sink += rs.Fields(i).Value().isNull() ? 0 : 1;
    const double lastOurs = ms(t);
    // The plainest SQL for the same result: how many rows there are, and the last one's values.
    t.restart();
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(plain, "SELECT count(*) FROM UserTable", -1, &st, nullptr);
        if (sqlite3_step(st) == SQLITE_ROW) sink += sqlite3_column_int64(st, 0) > 0 ? 1 : 0;
        sqlite3_finalize(st);
        sqlite3_prepare_v2(plain, "SELECT * FROM UserTable ORDER BY TolvaneID DESC LIMIT 1", -1, &st, nullptr);
        const int nc = sqlite3_column_count(st);
        if (sqlite3_step(st) == SQLITE_ROW)
            for (int i = 0; i < nc; ++i) sink += sqlite3_column_type(st, i) == SQLITE_NULL ? 0 : 1;
        sqlite3_finalize(st);
    }
    const double lastPlain = ms(t);
    std::printf("keyset of %lld rows: %.0f KB of row ids\n", rs.RecordCount(),
                double(rs.RecordCount()) * sizeof(qint64) / 1024.0);
    std::printf("%-34s record set %9.2f ms\n", "open (keys read)", openOurs);
    report("open + MoveLast", lastOurs, lastPlain);

    // 2 and 3. The record set and the plain statements take turns, 50 rows at a time, so that both
    // meet the same disk and cache conditions; each figure is the best of three rounds.
    QList<qint64> keys;
    for (int i = 0; i < moves; ++i) keys << 1 + QRandomGenerator::global()->bounded(records);
    sqlite3_stmt* plainRead = nullptr;
    sqlite3_stmt* plainUpdate = nullptr;
    auto prepare = [&] {
        sqlite3_prepare_v2(plain, "SELECT * FROM UserTable WHERE TolvaneID = ?1", -1, &plainRead, nullptr);
        sqlite3_prepare_v2(plain, "UPDATE UserTable SET City = ?1 WHERE TolvaneID = ?2", -1, &plainUpdate, nullptr);
    };
    auto finalize = [&] {
        sqlite3_finalize(plainRead);
        sqlite3_finalize(plainUpdate);
    };
    int n = 0;
    auto oursMove = [&](qint64 k) {
        rs.SetBookmark(k);
        for (int i = 0; i < rs.FieldCount(); ++i) sink += rs.Fields(i).Value().isNull() ? 0 : 1;
    };
    auto plainMove = [&](qint64 k) {
        const int nc = sqlite3_column_count(plainRead);
        sqlite3_bind_int64(plainRead, 1, k);
        if (sqlite3_step(plainRead) == SQLITE_ROW)
            for (int i = 0; i < nc; ++i) {
                sink += sqlite3_column_type(plainRead, i) == SQLITE_NULL ? 0 : 1;
                if (sqlite3_column_type(plainRead, i) == SQLITE_TEXT) sink += sqlite3_column_bytes(plainRead, i) > 0;
            }
        sqlite3_reset(plainRead);
    };
    auto oursUpdate = [&](qint64 k) {
        rs.SetBookmark(k);
        rs.Fields("City").SetValue(QStringLiteral("Updated %1").arg(++n));
        rs.Update();
    };
    auto plainUpdateRow = [&](qint64 k) {
        const QByteArray v = "Plain " + QByteArray::number(++n);
        sqlite3_bind_text(plainUpdate, 1, v.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(plainUpdate, 2, k);
        sqlite3_step(plainUpdate);
        sqlite3_reset(plainUpdate);
    };
    auto race = [&](const std::function<void(qint64)>& ours, const std::function<void(qint64)>& other, double& bestOurs,
                    double& bestPlain) {
        bestOurs = bestPlain = 1e18;
        for (int round = 0; round < 3; ++round) {
            double a = 0, b = 0;
            for (int from = 0; from < keys.size(); from += 50) {
                const int to = std::min<int>(int(keys.size()), from + 50);
                t.restart();
                for (int i = from; i < to; ++i) ours(keys[i]);
                a += ms(t);
                t.restart();
                for (int i = from; i < to; ++i) other(keys[i]);
                b += ms(t);
            }
            bestOurs = std::min(bestOurs, a);
            bestPlain = std::min(bestPlain, b);
        }
    };
    prepare();
    double moveOurs, movePlain, updOurs, updPlain;
    race(oursMove, plainMove, moveOurs, movePlain);
    report("1,000 random bookmark moves", moveOurs, movePlain);
    race(oursUpdate, plainUpdateRow, updOurs, updPlain);
    report("1,000 single-record updates", updOurs, updPlain);
    finalize();

    rs.Close();
    sqlite3_close(plain);
    std::printf("(checksum %d)\n", sink);
    const bool ok = lastOurs < 100 && lastOurs / lastPlain < 3 && moveOurs / movePlain < 3 && updOurs / updPlain < 3;
    std::printf("%s\n", ok ? "targets met: open + MoveLast under 100 ms, every ratio under 3" : "TARGETS MISSED");
    return ok ? 0 : 2;
}
