// Report benchmark: 10,000 records of 6 columns (five fields and the notes) of a generated
// database, laid out by the report builders and engine and written to PDF, as the PDF export
// does. Prints the page count, the memory growth and, last, the seconds taken.
//   build: cmake --build <build> --target bench_report;  run: <build>/bench_report [records]
#include "create/DatabaseBuilder.h"
#include "platform/report/ReportEngine.h"
#include "platform/report/ReportPainter.h"
#include "reports/ReportLayouts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

long rssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

void fill(const QString& path, int records) {
    sqlite3* h = nullptr;
    sqlite3_open(path.toUtf8().constData(), &h);
    const QByteArray sql = QStringLiteral(
                               "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                               "INSERT INTO UserTable (Name, Age, Born, Cost, Active, Memofld, SrchInt, SrchKey, SrchMemo, RptFlg) "
                               "SELECT 'Name ' || i, i % 90, '2024-03-05 00:00:00', (i * 37 % 100000) / 100.0, i % 2, "
                               "'A note of record ' || i || ' with a few more words in it, long enough to wrap onto a "
                               "second line of its column.', 0, 0, 0, 0 FROM c")
                               .arg(records)
                               .toUtf8();
    sqlite3_exec(h, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(h);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("bench.mdb"));
    DatabaseDefinition def;
    def.noFieldsText = QStringLiteral("5");
    def.rows = {{"Name", "Text", ""}, {"Age", "Number/Integer", ""}, {"Born", "Date/Time", ""},
                {"Cost", "Currency", ""}, {"Active", "True/False", ""}};
    def.bMemo = true;
    def.keyWordsText = QStringLiteral("1");
    if (BuildDatabase(db, def).bCreateFailed) {
        std::printf("cannot build the database\n");
        return 1;
    }
    fill(db, records);

    ReportChoices c;
    c.columns = {{1, "Name", "Text", "Name"}, {2, "Age", "Integer", "Age"}, {3, "Born", "Date/Time", "Born"},
                 {4, "Cost", "Currency", "Cost"}, {5, "Active", "True/False", "Active"}};
    c.titles = {QStringLiteral("Benchmark"), QStringLiteral("10,000 records"), QString(), QString()};
    c.inclNotes = c.hasNotes = true;
    c.dbPath = db;
    const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));

    const long before = rssKb();
    QElapsedTimer t;
    t.start();
    auto report = BuildReport(c);
    const report::Document doc = report::Run(report, QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    const double laid = double(t.nsecsElapsed()) / 1e9;
    report::WritePdf(doc, pdf);
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    const long after = rssKb();

    std::printf("records %d, columns %d\n", records, c.ColumnCount());
    std::printf("pages %d\n", int(doc.pages.size()));
    std::printf("layout %.3f s, PDF %.3f s, file %lld bytes\n", laid, seconds - laid, QFileInfo(pdf).size());
    std::printf("memory growth %.1f MB\n", double(after - before) / 1024.0);
    std::printf("seconds %.3f\n", seconds);
    return 0;
}
