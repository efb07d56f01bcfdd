// Report benchmark: 100,000 and then 10,000 records of 6 columns (five fields and the notes) of a
// generated database, laid out by the report builders and engine and written to PDF, as the PDF
// export does. Prints for each the page count and the memory growth (the peak resident size
// over the size before); then the wait for the first page of the 100,000 records in the print
// preview, and, last, the seconds the 10,000 records took.
//   build: cmake --build <build> --target bench_report;  run: <build>/bench_report [records]
#include "BenchSupport.h"
#include "create/DatabaseBuilder.h"
#include "platform/report/ReportEngine.h"
#include "platform/print/ReportPreview.h"
#include "platform/report/ReportPainter.h"
#include "reports/ReportLayouts.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {


// Starts the peak resident size afresh from the current size.
void resetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
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

// Builds, lays out and writes one report; returns the seconds taken.
double runReport(const QString& folder, int records) {
    const QString db = folder + QStringLiteral("/bench%1.mdb").arg(records);
    DatabaseDefinition def;
    def.noFieldsText = QStringLiteral("5");
    def.rows = {{"Name", "Text", ""}, {"Age", "Number/Integer", ""}, {"Born", "Date/Time", ""},
                {"Cost", "Currency", ""}, {"Active", "True/False", ""}};
    def.bMemo = true;
    def.keyWordsText = QStringLiteral("1");
    if (BuildDatabase(db, def).bCreateFailed) {
        std::printf("cannot build the database\n");
        std::exit(1);
    }
    fill(db, records);

    ReportChoices c;
    c.columns = {{1, "Name", "Text", "Name"}, {2, "Age", "Integer", "Age"}, {3, "Born", "Date/Time", "Born"},
                 {4, "Cost", "Currency", "Cost"}, {5, "Active", "True/False", "Active"}};
    c.titles = {QStringLiteral("Benchmark"), QStringLiteral("%1 records").arg(records), QString(), QString()};
    c.inclNotes = c.hasNotes = true;
    c.dbPath = db;
    const QString pdf = folder + QStringLiteral("/bench%1.pdf").arg(records);

    resetPeak();
    const long before = bench::statusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    double laid = 0;
    int pages = 0, held = 0;
    {
        auto report = BuildReport(c);
        const report::Document doc = report::Run(report, QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
        laid = double(t.nsecsElapsed()) / 1e9;
        report::WritePdf(doc, pdf);
        pages = int(doc.pages.size());
        held = doc.pages.MostHeld();
    }
    const double seconds = double(t.nsecsElapsed()) / 1e9;
    const long peak = bench::statusKb("VmHWM:");

    std::printf("records %d, columns %d\n", records, c.ColumnCount());
    std::printf("pages %d (at most %d held)\n", pages, held);
    std::printf("layout %.3f s, PDF %.3f s, file %lld bytes\n", laid, seconds - laid, QFileInfo(pdf).size());
    std::printf("memory growth %.1f MB\n", double(peak - before) / 1024.0);
    QFile::remove(pdf);
    return seconds;
}

// The wait for the preview's first page, as Print/Preview makes it: the report built and laid
// out, and the preview window shown on its first page (the database runReport built).
double previewFirstPage(const QString& folder, int records) {
    ReportChoices c;
    c.columns = {{1, "Name", "Text", "Name"}, {2, "Age", "Integer", "Age"}, {3, "Born", "Date/Time", "Born"},
                 {4, "Cost", "Currency", "Cost"}, {5, "Active", "True/False", "Active"}};
    c.titles = {QStringLiteral("Benchmark"), QString(), QString(), QString()};
    c.inclNotes = c.hasNotes = true;
    c.dbPath = folder + QStringLiteral("/bench%1.mdb").arg(records);
    QElapsedTimer t;
    t.start();
    auto doc = std::make_shared<report::Document>(report::Run(BuildReport(c), QDateTime::currentDateTime()));
    report::ReportPreview preview(doc);
    preview.show();
    QCoreApplication::processEvents();
    return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir dir;
    if (argc <= 1) {
        runReport(dir.path(), 100000);
        const double first = previewFirstPage(dir.path(), 100000);
        std::printf("preview first page 100000  ours %.0f ms   %s\n", first, first < 1000 ? "ok (< 1 s)" : "SLOW");
    }
    const double seconds = runReport(dir.path(), records);
    std::printf("seconds %.3f\n", seconds);
    return 0;
}
