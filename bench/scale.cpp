// The program at a million records of the widest shape (20 mixed fields, notes, 20 keyword
// columns). First the Open command as the user runs it (File > Open, the file chosen, until the
// first record is on screen) beside the least that wait needs (the count and the first row by
// hand-written SQL), which is no ratio, and the tabs picked through the strip (Search first and
// again, Search after a keyword save, back to Edit/View), each until the view is shown. Then, each beside the same work written by hand in SQL in
// the same run: the load of the entry view with its keyword list, a 3-criteria search, a notes
// search and the output database; and the peak resident size. Last, a report of every record in
// the print preview: the jump to its last page, the slowest of ten pages back, and the memory the
// report grew by. The database is built once and kept beside the executable; "--clean" removes
// it. The last line is "worst <largest ratio>".
//   build-rel/bench_scale [--clean]
#include "BenchSupport.h"
#include "WidestDatabase.h"
#include "create/DatabaseBuilder.h"
#include "entry/DataInput.h"
#include "platform/db/Connection.h"
#include "platform/office/ExportFolder.h"
#include "platform/paths/AppPaths.h"
#include "platform/print/ReportPreview.h"
#include "platform/report/ReportEngine.h"
#include "reports/ExportCommands.h"
#include "reports/ReportLayouts.h"
#include "search/SearchEngine.h"
#include "search/SearchResultModel.h"
#include "shell/Module1.h"
#include "shell/Module1Views.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

using bench::ms;

namespace {

constexpr int kRecords = 1000000;

void exec(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "SQL failed: %s\n", err ? err : "");
        sqlite3_free(err);
    }
}

// Steps a statement to its end, reading every column's text as a reader of the rows would.
qint64 stepAll(sqlite3* db, const QString& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    qint64 rows = 0;
    const int n = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++rows;
        for (int j = 0; j < n; ++j) sqlite3_column_text(st, j);
    }
    sqlite3_finalize(st);
    return rows;
}

// ---- Open and the first record ----

// Runs posted events and timers until done() or the deadline; false past the deadline.
bool waitFor(const std::function<bool()>& done, int deadlineMs = 120000) {
    QDeadlineTimer deadline(deadlineMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

struct OpenTimes {
    double record = 0;   // the first record on screen
    double list = 0;     // the keyword list complete
};

// The Open command from the menu, the file dialog answered with path, until the first record is
// painted; then on until the keyword list is complete. The database is closed again after.
OpenTimes openCommand(frmMain& main, bench::SilentUi& ui, const QString& path) {
    DataInput& entry = DataInput::instance();
    OpenTimes o;
    ui.openPath = path;
    QElapsedTimer t;
    t.start();
    main.mnuOpenDB_Click();
    main.repaint();
    o.record = ms(t);
    if (!entry.IsLoaded() || entry.lblRecord->text() != QStringLiteral("Record: 1 of %1").arg(kRecords))
        std::fprintf(stderr, "the first record was not shown\n");
    if (!waitFor([&entry] { return entry.KeyListComplete(); })) std::fprintf(stderr, "the keyword list was not filled\n");
    o.list = ms(t);
    ui.openPath.clear();
    Module1::SilentClose = true;
    Module1::CloseDatabase();
    Module1::SilentClose = false;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return o;
}

// ---- The tabs ----

struct TabTimes {
    double searchFirst = 0, switchAgain = 0, afterSave = 0, editBack = 0;
};

// A tab picked as the user picks it, through the strip's handler, until the main window has
// painted the view; milliseconds taken.
double pickTab(frmMain& main, int tab) {
    QElapsedTimer t;
    t.start();
    main.SelectTab(tab);
    main.repaint();
    const double took = ms(t);
    if (main.SelectedTab() != tab) std::fprintf(stderr, "tab %d was not selected\n", tab);
    return took;
}

// Opened by the Open command, its keyword list complete: the first pick of Search, Search picked
// again (the slowest of three), Search after a keyword was saved in Edit/View, and the way back
// to Edit/View (the slowest of all). The keyword saved is put back as it was.
TabTimes tabsOurs(frmMain& main, bench::SilentUi& ui, const QString& path) {
    DataInput& entry = DataInput::instance();
    ui.openPath = path;
    main.mnuOpenDB_Click();
    ui.openPath.clear();
    if (!waitFor([&entry] { return entry.KeyListComplete(); })) std::fprintf(stderr, "the keyword list was not filled\n");
    TabTimes o;
    o.searchFirst = pickTab(main, 2);
    o.editBack = pickTab(main, 1);
    for (int i = 0; i < 3; ++i) {
        o.switchAgain = std::max(o.switchAgain, pickTab(main, 2));
        o.editBack = std::max(o.editBack, pickTab(main, 1));
    }
    const QString was = entry.Keywrd[1]->text();
    entry.Keywrd[1]->setText(QStringLiteral("kw saved by the bench"));
    entry.cmdAction_Click(3);
    o.afterSave = pickTab(main, 2);
    o.editBack = std::max(o.editBack, pickTab(main, 1));
    entry.Keywrd[1]->setText(was);
    entry.cmdAction_Click(3);
    Module1::SilentClose = true;
    Module1::CloseDatabase();
    Module1::SilentClose = false;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return o;
}

// The queries run in turn on a connection of their own, each read to its end; milliseconds taken.
double handQueries(const QString& path, const QStringList& queries) {
    QElapsedTimer t;
    t.start();
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (const QString& q : queries) stepAll(db, q);
    sqlite3_close(db);
    return ms(t);
}

// The least the first record needs: the record count and the first row.
double openLeast(const QString& path) {
    return handQueries(path, {QStringLiteral("SELECT count(*) FROM UserTable"),
                              QStringLiteral("SELECT * FROM UserTable ORDER BY TolvaneID LIMIT 1")});
}

// The entry view's load and its keyword list complete (the work of openHand).
double openOurs() {
    DataInput& entry = DataInput::instance();
    QElapsedTimer t;
    t.start();
    if (!Module1::CheckDBStructure()) std::fprintf(stderr, "the database was refused\n");
    entry.Load();
    waitFor([&entry] { return entry.KeyListComplete(); });
    const double took = ms(t);
    entry.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return took;
}

// The schema, the keys, the keyword columns and the first row.
double openHand(const QString& path) {
    QStringList kw;
    for (int c = 1; c <= 20; ++c) kw << QStringLiteral("KeyWord%1").arg(c);
    return handQueries(path, {QStringLiteral("SELECT name, sql FROM sqlite_master"),
                              QStringLiteral("SELECT TolvaneID FROM UserTable ORDER BY TolvaneID"),
                              QStringLiteral("SELECT ") + kw.join(QStringLiteral(", ")) + QStringLiteral(" FROM UserTable"),
                              QStringLiteral("SELECT * FROM UserTable ORDER BY TolvaneID LIMIT 1")});
}

// ---- The searches ----

double searchHand(sqlite3* db, const QString& marks, const QString& select, qint64& found) {
    QElapsedTimer t;
    t.start();
    exec(db, QStringLiteral("BEGIN"));
    exec(db, QStringLiteral("UPDATE UserTable SET SrchInt = 0, SrchKey = 0, SrchMemo = 0, RptFlg = 0 "
                            "WHERE SrchInt > 0 OR SrchKey > 0 OR SrchMemo > 0 OR RptFlg <> 0"));
    exec(db, marks);
    exec(db, QStringLiteral("COMMIT"));
    found = stepAll(db, QStringLiteral("SELECT TolvaneID FROM (") + select + QStringLiteral(")"));
    stepAll(db, QStringLiteral("SELECT * FROM (") + select + QStringLiteral(") LIMIT 30"));
    return ms(t);
}

// ---- The output database ----

double outputOurs(bench::ExportAllUi& ui, const QString& target) {
    ReportChoices v;   // all records in table order
    v.hasNotes = v.inclNotes = true;
    ui.saveAs = target;
    QElapsedTimer t;
    t.start();
    vb::CommonDialog dialog;
    reports::RunDatabaseExport(v, dialog);
    return ms(t);
}

// The same table made from the schema the program wrote, and the same rows copied into it.
double outputHand(const QString& path, const QString& ours, const QString& target) {
    QStringList schema, columns;
    {
        sqlite3* o = nullptr;
        sqlite3_open_v2(ours.toUtf8().constData(), &o, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(o, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL AND name NOT LIKE 'sqlite_%'", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) schema << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
        sqlite3_prepare_v2(o, "SELECT name FROM pragma_table_info('UserTable') WHERE pk = 0", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            columns << db::Connection::Bracket(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
        sqlite3_finalize(st);
        sqlite3_close(o);
    }
    QFile::remove(target);
    QElapsedTimer t;
    t.start();
    sqlite3* db = nullptr;
    sqlite3_open(target.toUtf8().constData(), &db);
    exec(db, QStringLiteral("BEGIN; ") + schema.join(QStringLiteral("; ")) + QStringLiteral("; COMMIT"));
    sqlite3_close(db);
    sqlite3_open(path.toUtf8().constData(), &db);
    exec(db, QStringLiteral("ATTACH DATABASE '%1' AS outdb").arg(QString(target).replace('\'', QStringLiteral("''"))));
    const QString list = columns.join(QStringLiteral(", "));
    exec(db, QStringLiteral("INSERT INTO outdb.UserTable (%1) SELECT %1 FROM main.UserTable").arg(list));
    exec(db, QStringLiteral("DETACH DATABASE outdb"));
    sqlite3_close(db);
    return ms(t);
}

double best(double a, double b) { return std::min(a, b); }

// ---- The report in the print preview ----

struct PreviewTimes {
    double firstPass = 0, lastPage = 0, pageBack = 0, growthMb = 0;
    int pages = 0;
};

// Six fields and the notes of every record, laid out as Print/Preview does and shown in the
// preview: the jump from the first page to the last, then ten pages back (the slowest is kept).
// The memory growth is the peak resident size over the size before the report.
PreviewTimes previewOurs(const QString& path) {
    ReportChoices c;
    c.columns = {{1, "F1", "Text", "F1"},       {2, "F2", "Integer", "F2"},    {5, "F5", "Date/Time", "F5"},
                 {6, "F6", "Currency", "F6"},   {7, "F7", "True/False", "F7"}, {8, "F8", "Text", "F8"}};
    c.titles = {QStringLiteral("Every record"), QString(), QString(), QString()};
    c.inclNotes = c.hasNotes = true;
    c.dbPath = path;
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));   // "5" starts the peak afresh
        if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    }
    const long before = bench::statusKb("VmRSS:");
    PreviewTimes o;
    QElapsedTimer t;
    t.start();
    auto doc = std::make_shared<report::Document>(report::Run(BuildReport(c), QDateTime::currentDateTime()));
    o.firstPass = ms(t);
    o.pages = int(doc->pages.size());
    {
        report::ReportPreview preview(doc);
        t.restart();
        preview.findChild<QToolButton*>(QStringLiteral("cmdLast"))->click();
        o.lastPage = ms(t);
        if (preview.CurrentPage() != o.pages - 1) std::fprintf(stderr, "the preview is not on its last page\n");
        for (int i = 0; i < 10; ++i) {
            t.restart();
            preview.findChild<QToolButton*>(QStringLiteral("cmdPrevious"))->click();
            o.pageBack = std::max(o.pageBack, ms(t));
        }
        if (preview.CurrentPage() != o.pages - 11) std::fprintf(stderr, "the preview did not page back\n");
    }
    o.growthMb = double(bench::statusKb("VmHWM:") - before) / 1024.0;
    return o;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("bench_scale.mdb"));
    if (app.arguments().contains(QStringLiteral("--clean"))) {
        QFile::remove(path);
        std::printf("removed %s\n", qPrintable(path));
        return 0;
    }
    if (!QFile::exists(path)) {
        std::printf("building %d records at %s (kept for later runs; --clean removes it)\n", kRecords, qPrintable(path));
        std::fflush(stdout);
        const QString part = path + QStringLiteral(".part");
        QFile::remove(part);
        if (!bench::buildWidestDatabase(part, kRecords) || !QFile::rename(part, path)) return 1;
    }
    QTemporaryDir dir;
    vb::setProgramFolderForTesting(dir.path());
    vb::setExportFolderForTesting(dir.filePath(QStringLiteral("Exports")));
    bench::ExportAllUi ui;
    vb::setUi(&ui);
    frmMain& main = frmMain::instance();
    main.MDIForm_Load();
    main.show();

    double worst = 0;
    auto line = [&](const char* what, double ours, double hand, const QString& extra = {}) {
        const double ratio = hand > 0 ? ours / hand : 0;
        worst = std::max(worst, ratio);
        std::printf("%-36s ours %9.1f ms   hand SQL %9.1f ms   ratio %5.2f   %s\n", what, ours, hand, ratio, qPrintable(extra));
        std::fflush(stdout);
    };

    std::printf("records %d: 20 fields, notes, 20 keyword columns\n", kRecords);
    {
        const double least = best(openLeast(path), openLeast(path));
        const OpenTimes a = openCommand(main, ui, path), b = openCommand(main, ui, path);
        const OpenTimes& o = a.record <= b.record ? a : b;
        std::printf("open command  ours %.0f ms  least %.0f ms   %s (keyword list complete at %.0f ms)\n", o.record, least,
                    o.record < 1000 ? "ok (< 1 s)" : "SLOW", o.list);
        std::fflush(stdout);
    }
    {
        const TabTimes t = tabsOurs(main, ui, path);
        auto tabLine = [](const char* what, double took) {
            std::printf("%s  ours %.0f ms   %s\n", what, took, took < 300 ? "ok (< 300 ms)" : "SLOW");
        };
        tabLine("search tab first", t.searchFirst);
        tabLine("search tab after a keyword save", t.afterSave);
        tabLine("tab switch", t.switchAgain);
        tabLine("edit tab back", t.editBack);
        std::fflush(stdout);
    }
    bench::openAsTheOpenCommand(path);
    {
        const double hand = best(openHand(path), openHand(path));
        const double ours = best(openOurs(), openOurs());
        line("open, first record, keyword list", ours, hand);
    }

    const QString connStr = Module1::DBConnStr;
    db::Connection conn;
    conn.Open(connStr);
    sqlite3* raw = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_busy_timeout(raw, 2000);

    const search::Criteria three = bench::threeCriteria();
    const search::Criteria notes = bench::notesCriteria();
    const QString kw = bench::keywordMatchSql();
    struct Case {
        const char* name;
        const search::Criteria& criteria;
        QString marks, select;
    };
    const Case cases[] = {
        {"search, 3 criteria", three,
         QStringLiteral("UPDATE UserTable SET SrchInt = 1 WHERE F1 LIKE '%ab%'; "
                        "UPDATE UserTable SET SrchInt = 2 WHERE SrchInt = 1 AND F2 >= 500; "
                        "UPDATE UserTable SET SrchKey = 1 WHERE ") + kw +
             QStringLiteral("; UPDATE UserTable SET RptFlg = 1 WHERE SrchInt = 2 AND SrchKey <> 0;"),
         QStringLiteral("SELECT * FROM UserTable WHERE SrchInt = 2 AND SrchKey <> 0")},
        {"search, notes", notes,
         QStringLiteral("UPDATE UserTable SET SrchMemo = 1 WHERE Memofld LIKE '%glise%'; "
                        "UPDATE UserTable SET RptFlg = 1 WHERE SrchMemo <> 0;"),
         QStringLiteral("SELECT * FROM UserTable WHERE SrchMemo <> 0")},
    };
    for (const Case& c : cases) {
        qint64 foundOurs = 0, foundHand = 0;
        const double ours = best(bench::searchThroughEngine(conn, connStr, c.criteria, foundOurs), bench::searchThroughEngine(conn, connStr, c.criteria, foundOurs));
        const double hand = best(searchHand(raw, c.marks, c.select, foundHand), searchHand(raw, c.marks, c.select, foundHand));
        line(c.name, ours, hand, QStringLiteral("found %1 (hand %2)").arg(foundOurs).arg(foundHand));
    }
    sqlite3_close(raw);
    conn.Close();

    {
        const QString ours = dir.filePath(QStringLiteral("out.mdb"));
        const QString hand = dir.filePath(QStringLiteral("hand.mdb"));
        DataInput::instance().Load();   // the export reads the entry view's field list
        const double o = outputOurs(ui, ours);
        DataInput::instance().Unload();
        const double h = outputHand(path, ours, hand);
        line("output database (all records)", o, h,
             QStringLiteral("%1 MB").arg(double(QFileInfo(ours).size()) / (1024.0 * 1024.0), 0, 'f', 0));
    }

    const double peak = double(bench::statusKb("VmHWM:")) / 1024.0;
    std::printf("peak resident size %.1f MB  %s\n", peak, peak < 100 ? "ok (< 100 MB)" : "TOO MUCH");
    std::fflush(stdout);

    {
        const PreviewTimes p = previewOurs(path);
        std::printf("preview last page  ours %.0f ms   %s\n", p.lastPage, p.lastPage < 2000 ? "ok (< 2 s)" : "SLOW");
        std::printf("preview page back  ours %.1f ms   %s\n", p.pageBack, p.pageBack < 50 ? "ok (< 50 ms)" : "SLOW");
        std::printf("report memory growth %.1f MB   %s (%d pages, first pass %.1f s)\n", p.growthMb,
                    p.growthMb < 64 ? "ok (< 64 MB)" : "TOO MUCH", p.pages, p.firstPass / 1000.0);
    }
    DataInput::instance().Unload();
    delete &main;
    vb::setUi(nullptr);
    if (ui.boxes > 0) std::printf("FAILED: a message was shown\n");
    std::printf("worst %.2f\n", worst);
    return ui.boxes == 0 ? 0 : 2;
}
