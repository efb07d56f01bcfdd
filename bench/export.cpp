// Exports a generated database of 100,000 records with 20 fields to a workbook through the same
// code as the reports view's "Export To Excel" button, and the same rows with the sqlite3
// command-line program's csv mode; then the output database of the same rows. Prints both times,
// the program's memory growth during the workbook export, and as its last line the ratio of the
// workbook's time to the csv time. Run: build-rel/bench_export
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
#include <cstdio>
#include <sqlite3.h>

using bench::ms;

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
    for (int i = 0; i < 20; ++i) {
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
    std::printf("sqlite3 csv             %9.1f ms\n", csvMs);
    std::printf("output database         %9.1f ms  %s\n", dbMs, dbMs < 1000 ? "ok (< 1 s)" : "SLOW");
    std::printf("memory growth (peak)    %9.1f MB  %s\n", double(hwm - rssBefore) / 1024.0,
                (hwm - rssBefore) < 30 * 1024 ? "ok (< 30 MB)" : "TOO MUCH");
    if (ui.boxes > 0 || files.isEmpty()) {
        std::printf("FAILED: the export showed a message or wrote no file\n");
        return 1;
    }
    std::printf("ratio %.2f\n", xlsxMs / csvMs);
    return 0;
}
