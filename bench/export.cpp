// Exports a generated database of 100,000 records with 20 fields to a workbook through the same
// code as the reports view's "Export To Excel" button, and the same workbook written by hand
// (libxlsxwriter over a plain SQLite read: the same cells, formats and column widths, flushed to
// disk); for reference only, the same rows through the sqlite3 command-line program's csv mode,
// which is not the same work; then the output database of the same rows. Prints the times, the
// program's memory growth during the workbook export, and as its last line the ratio of the
// export's time to the hand-written workbook's. Run: build-rel/bench_export
#include "BenchSupport.h"
#include "create/DatabaseBuilder.h"
#include "entry/DataInput.h"
#include "platform/office/ExportFolder.h"
#include "platform/paths/AppPaths.h"
#include "platform/shellexec/ShellExecute.h"
#include "reports/ExportCommands.h"
#include "reports/FieldChoiceDialog.h"
#include "shell/Module1.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <unistd.h>
#include <xlsxwriter.h>

using bench::ms;

namespace {

enum class Kind { Text, Integer, Fixed, Date, Currency, Boolean };

// The workbook of the columns' rows written by hand; returns the milliseconds taken.
double handWorkbook(const QString& db, const QStringList& names, const std::vector<Kind>& kinds, const QString& out) {
    QElapsedTimer t;
    t.start();
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    QByteArray folder = QFile::encodeName(QFileInfo(out).absolutePath());
    options.tmpdir = folder.data();
    lxw_workbook* wb = workbook_new_opt(QFile::encodeName(out).constData(), &options);
    lxw_worksheet* ws = workbook_add_worksheet(wb, nullptr);
    auto numFormat = [wb](const char* pattern) {
        lxw_format* f = workbook_add_format(wb);
        format_set_num_format(f, pattern);
        return f;
    };
    lxw_format* currency = numFormat("$#,##0.00;($#,##0.00)");
    lxw_format* fixed = numFormat("0.00");
    lxw_format* date = numFormat("m/d/yyyy");
    lxw_format* dateTime = numFormat("m/d/yyyy h:mm:ss AM/PM");
    std::vector<int> widths;
    for (int c = 0; c < names.size(); ++c) {
        worksheet_write_string(ws, 0, lxw_col_t(c), names[c].toUtf8().constData(), nullptr);
        widths.push_back(int(names[c].size()));
    }
    sqlite3* h = nullptr;
    sqlite3_open_v2(db.toUtf8().constData(), &h, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, ("SELECT " + names.join(QStringLiteral(", ")) + " FROM UserTable").toUtf8().constData(), -1, &st, nullptr);
    lxw_row_t row = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        ++row;
        for (int c = 0; c < int(kinds.size()); ++c) {
            if (sqlite3_column_type(st, c) == SQLITE_NULL) continue;
            const lxw_col_t col = lxw_col_t(c);
            switch (kinds[size_t(c)]) {
            case Kind::Text: {
                const char* text = reinterpret_cast<const char*>(sqlite3_column_text(st, c));
                worksheet_write_string(ws, row, col, text, nullptr);
                widths[size_t(c)] = std::max(widths[size_t(c)], std::min(60, sqlite3_column_bytes(st, c)));
                break;
            }
            case Kind::Integer: worksheet_write_number(ws, row, col, sqlite3_column_double(st, c), nullptr); break;
            case Kind::Fixed: worksheet_write_number(ws, row, col, sqlite3_column_double(st, c), fixed); break;
            case Kind::Currency: worksheet_write_number(ws, row, col, sqlite3_column_double(st, c), currency); break;
            case Kind::Boolean: worksheet_write_boolean(ws, row, col, sqlite3_column_int(st, c) != 0, nullptr); break;
            case Kind::Date: {
                lxw_datetime dt = {};
                int sec = 0;
                std::sscanf(reinterpret_cast<const char*>(sqlite3_column_text(st, c)), "%d-%d-%d %d:%d:%d", &dt.year, &dt.month,
                            &dt.day, &dt.hour, &dt.min, &sec);
                dt.sec = sec;
                worksheet_write_datetime(ws, row, col, &dt, dt.hour || dt.min || sec ? dateTime : date);
                break;
            }
            }
        }
    }
    sqlite3_finalize(st);
    sqlite3_close(h);
    for (int c = 0; c < int(widths.size()); ++c) worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), widths[size_t(c)] + 2.0, nullptr);
    workbook_close(wb);
    QFile file(out);
    if (file.open(QIODevice::ReadWrite)) ::fsync(file.handle());
    return ms(t);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    vb::setProgramFolderForTesting(dir.path());
    vb::setExportFolderForTesting(dir.filePath(QStringLiteral("Exports")));
    vb::setLauncherForTesting([](const QString&, const QStringList&) { return true; });
    vb::setAssociationLookupForTesting([](const QString&) { return QStringLiteral("office.desktop"); });
    bench::ExportAllUi ui;
    vb::setUi(&ui);

    // 20 fields: 8 text, 3 integer, 3 decimal, 2 date, 2 currency, 2 true/false.
    DatabaseDefinition def;
    QStringList values;
    const char* types[] = {"Text", "Text", "Text", "Text", "Text", "Text", "Text", "Text", "Number/Integer", "Number/Integer",
                           "Number/Integer", "Number/Double", "Number/Double", "Number/Double", "Date/Time", "Date/Time",
                           "Currency", "Currency", "True/False", "True/False"};
    QStringList names;
    std::vector<Kind> kinds;
    for (int i = 0; i < 20; ++i) {
        kinds.push_back(i < 8 ? Kind::Text : i < 11 ? Kind::Integer : i < 14 ? Kind::Fixed : i < 16 ? Kind::Date
                                : i < 18 ? Kind::Currency : Kind::Boolean);
        const QString name = QStringLiteral("F%1").arg(i + 1);
        def.rows << DbFieldRow{name, QString::fromLatin1(types[i]), QStringLiteral("2")};
        names << name;
        if (i < 8) values << QStringLiteral("'Value ' || (i * %1) || ' of the text field'").arg(i + 1);
        else if (i < 14) values << QStringLiteral("(i * %1) % 100000 / %2").arg(i + 7).arg(i < 11 ? "1" : "100.0");
        else if (i < 16) values << QStringLiteral("datetime(1700000000 + i * 3600, 'unixepoch')");
        else if (i < 18) values << QStringLiteral("(i % 5000) * 1.25");
        else values << QStringLiteral("i % 2");
    }
    def.noFieldsText = QStringLiteral("20");
    def.keyWordsText = QStringLiteral("0");
    const QString db = dir.filePath(QStringLiteral("big.mdb"));
    if (BuildDatabase(db, def).bCreateFailed) return 1;
    {
        sqlite3* h = nullptr;
        sqlite3_open(db.toUtf8().constData(), &h);
        const QString sql = QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 100000) "
                                           "INSERT INTO UserTable (%1, SrchInt, SrchKey, RptFlg) SELECT %2, 0, 0, 0 FROM c")
                                .arg(names.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
        char* err = nullptr;
        if (sqlite3_exec(h, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
            std::fprintf(stderr, "%s\n", err);
            return 1;
        }
        sqlite3_close(h);
    }
    Module1::CurrentDBPath = db;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));
    DataInput::instance().Load();

    const ReportChoices v;   // no field ticked, all records in table order

    // The peak is measured from here on: writing "5" to clear_refs resets it.
    {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly)) clear.write("5");
    }
    const long rssBefore = bench::statusKb("VmRSS:");
    QElapsedTimer t;
    t.start();
    reports::RunSpreadsheetExport(v);
    const double xlsxMs = ms(t);
    const long hwm = bench::statusKb("VmHWM:");

    QStringList files = QDir(vb::exportFolder()).entryList({QStringLiteral("*.xlsx")});
    const qint64 xlsxBytes = files.isEmpty() ? 0 : QFileInfo(QDir(vb::exportFolder()).filePath(files.first())).size();

    const double handMs = handWorkbook(db, names, kinds, dir.filePath(QStringLiteral("hand.xlsx")));

    t.restart();
    QProcess cli;
    cli.setStandardOutputFile(dir.filePath(QStringLiteral("rows.csv")));
    cli.start(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), QStringLiteral("-header"), db,
                                          QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) +
                                              QStringLiteral(" FROM UserTable")});
    cli.waitForFinished(-1);
    const double csvMs = ms(t);

    ui.saveAs = dir.filePath(QStringLiteral("out.mdb"));
    t.restart();
    vb::CommonDialog rptDialog;
    reports::RunDatabaseExport(v, rptDialog);
    const double dbMs = ms(t);

    std::printf("records                 100000 x 20 fields\n");
    std::printf("xlsx export             %9.1f ms  (%lld bytes)  %s\n", xlsxMs, xlsxBytes, xlsxMs < 6000 ? "ok (< 6 s)" : "SLOW");
    std::printf("xlsx by hand            %9.1f ms  (%lld bytes; libxlsxwriter over plain SQLite: the same cells, formats, widths)\n",
                handMs, QFileInfo(dir.filePath(QStringLiteral("hand.xlsx"))).size());
    std::printf("sqlite3 csv dump        %9.1f ms  (for reference only: not the same work)\n", csvMs);
    std::printf("output database         %9.1f ms  %s\n", dbMs, dbMs < 1000 ? "ok (< 1 s)" : "SLOW");
    std::printf("memory growth (peak)    %9.1f MB  %s\n", double(hwm - rssBefore) / 1024.0,
                (hwm - rssBefore) < 30 * 1024 ? "ok (< 30 MB)" : "TOO MUCH");
    if (ui.boxes > 0 || files.isEmpty()) {
        std::printf("FAILED: the export showed a message or wrote no file\n");
        return 1;
    }
    std::printf("ratio %.2f  (xlsx export / xlsx by hand)\n", xlsxMs / handMs);
    return 0;
}
