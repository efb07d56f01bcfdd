// Add + Save, Edit + Save and Delete through the entry view's own handlers on the widest database
// (20 description fields of every kind, notes, 20 keywords) with 100,000 records, each beside the
// same single-row statement in plain SQLite. One line each; the last line is "worst <ms>".
// Run in a Release build, offscreen: QT_QPA_PLATFORM=offscreen build-rel/bench_entry_edit [records]
#include "BenchSupport.h"
#include "create/DatabaseBuilder.h"
#include "entry/DataInput.h"
#include "platform/paths/AppPaths.h"
#include "shell/Module1.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

using bench::ms;

namespace {

double plain(sqlite3* db, const QString& sql) {
    QElapsedTimer t;
    t.start();
    sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
    return ms(t);
}

// The median of several runs of f.
template <typename F>
double median(int runs, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) times.push_back(f());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void report(const char* what, double ours, double sqlite) {
    std::printf("%-18s %9.2f ms   plain SQL %7.2f ms   ratio %6.1f   %s\n", what, ours, sqlite,
                sqlite > 0 ? ours / sqlite : 0.0, ours < 30 ? "ok (< 30 ms)" : "SLOW");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    bench::SilentUi ui;
    ui.answer = vb::vbYes;   // the deletion question
    ui.expected = [](const QString&, const QString& title) { return title == QLatin1String("Record Deletion"); };
    vb::setUi(&ui);
    QTemporaryDir dir;
    vb::setProgramFolderForTesting(dir.path());
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int runs = 7;

    // The widest definition: 20 fields, notes, 20 keywords.
    DatabaseDefinition d;
    const char* types[] = {"Text", "Number/Integer", "Number/Double", "Date/Time", "Currency", "True/False", "FilePath"};
    for (int i = 1; i <= 20; ++i)
        d.rows.append({QStringLiteral("Field%1").arg(i), QString::fromLatin1(types[(i - 1) % 7]), QStringLiteral("2")});
    d.noFieldsText = QStringLiteral("20");
    d.bMemo = true;
    d.keyWordsText = QStringLiteral("20");
    const QString path = dir.filePath(QStringLiteral("wide.mdb"));
    if (BuildDatabase(path, d).bCreateFailed) return 1;

    QStringList cols, values;
    for (int i = 1; i <= 20; ++i) {
        const QString type = QString::fromLatin1(types[(i - 1) % 7]);
        const QString name = type == QLatin1String("FilePath") ? QStringLiteral("Field%1FP").arg(i) : QStringLiteral("Field%1").arg(i);
        cols << name;
        if (type == QLatin1String("Text")) values << QStringLiteral("'text ' || i || ' of field %1'").arg(i);
        else if (type == QLatin1String("Number/Integer")) values << QStringLiteral("i % 1000");
        else if (type == QLatin1String("Number/Double")) values << QStringLiteral("round(i / 7.0, 2)");
        else if (type == QLatin1String("Date/Time")) values << QStringLiteral("'2024-03-05 10:00:00'");
        else if (type == QLatin1String("Currency")) values << QStringLiteral("i / 4.0");
        else if (type == QLatin1String("True/False")) values << QStringLiteral("i % 2");
        else values << QStringLiteral("'/home/user/files/doc' || i || '.pdf'");
    }
    for (int j = 1; j <= 20; ++j) {
        cols << QStringLiteral("KeyWord%1").arg(j);
        values << QStringLiteral("'word' || ((i * %1) % 400)").arg(j);
    }
    cols << QStringLiteral("Memofld") << QStringLiteral("SrchInt") << QStringLiteral("SrchKey") << QStringLiteral("SrchMemo")
         << QStringLiteral("RptFlg");
    values << QStringLiteral("'notes of record ' || i") << QStringLiteral("0") << QStringLiteral("0") << QStringLiteral("0")
           << QStringLiteral("0");
    sqlite3* db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    plain(db, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                             "INSERT INTO UserTable (%2) SELECT %3 FROM c")
                  .arg(records)
                  .arg(cols.join(QStringLiteral(", ")), values.join(QStringLiteral(", "))));

    bench::openAsTheOpenCommand(path);

    DataInput& v = DataInput::instance();
    QElapsedTimer t;
    t.start();
    v.Load();
    std::printf("entry view on %d records, 20 fields, notes, 20 keywords (load %.0f ms)\n", records, ms(t));
    v.cmdNegotiate_Click(3);

    int n = 0;
    // Add + Save: a new record with a text, a number and two keywords (one new).
    const double add = median(runs, [&] {
        ++n;
        QElapsedTimer t;
        t.start();
        v.cmdAction_Click(0);
        v.flddata[1]->setText(QStringLiteral("added %1").arg(n));
        v.flddata[2]->setText(QStringLiteral("42"));
        v.Keywrd[1]->setText(QStringLiteral("word7"));
        v.Keywrd[2]->setText(QStringLiteral("fresh%1").arg(n));
        v.cmdAction_Click(3);
        return ms(t);
    });
    const double plainAdd = median(runs, [&] {
        return plain(db, QStringLiteral("INSERT INTO UserTable (Field1, Field2, KeyWord1, KeyWord2, SrchMemo) "
                                        "VALUES ('plain', 42, 'word7', 'freshp', 0)"));
    });
    report("Add + Save", add, plainAdd);

    // Edit + Save: a record in the middle, a text field and a keyword changed.
    v.adoUserTbl.Recordset().SetBookmark(records / 2);
    const double edit = median(runs, [&] {
        ++n;
        QElapsedTimer t;
        t.start();
        v.flddata[1]->setText(QStringLiteral("edited %1").arg(n));
        v.Keywrd[3]->setText(QStringLiteral("word%1").arg(n % 400));
        v.cmdAction_Click(3);
        return ms(t);
    });
    // New values each run, as the view's edits have: the same values again would write nothing.
    const double plainEdit = median(runs, [&] {
        ++n;
        return plain(db, QStringLiteral("UPDATE UserTable SET Field1 = 'plain edit %1', KeyWord3 = 'word%2', SrchMemo = 0 "
                                        "WHERE TolvaneID = %3").arg(n).arg(n % 400).arg(records / 3));
    });
    report("Edit + Save", edit, plainEdit);

    // Delete: the record shown, then the view moves on.
    const double del = median(runs, [&] {
        QElapsedTimer t;
        t.start();
        v.cmdAction_Click(1);
        return ms(t);
    });
    int victim = records / 4;
    const double plainDel = median(runs, [&] {
        return plain(db, QStringLiteral("DELETE FROM UserTable WHERE TolvaneID = %1").arg(victim++));
    });
    report("Delete", del, plainDel);

    const double worst = std::max({add, edit, del});
    std::printf("worst %.1f\n", worst);
    v.Unload();
    sqlite3_close(db);
    vb::setUi(nullptr);
    return ui.boxes == 0 ? 0 : 2;
}
