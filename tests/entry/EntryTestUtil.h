#pragma once
// Helpers of the entry view tests: databases built by the real builder, rows put in with SQLite,
// the shared state of an open database, and the view loaded on it.
#include "create/DatabaseBuilder.h"
#include "entry/DataInput.h"
#include "shell/Module1.h"
#include "support/Fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <QProcess>
#include <QTest>
#include <sqlite3.h>

namespace entrytest {

using Rows = QList<DbFieldRow>;

inline QString build(const Fixture& fx, const QString& file, const Rows& rows, bool notes, int keywords,
                     bool security = false) {
    DatabaseDefinition d;
    d.noFieldsText = QString::number(rows.size());
    d.rows = rows;
    d.bMemo = notes;
    d.keyWordsText = QString::number(keywords);
    d.bUserSec = security;
    const QString path = fx.path(file);
    const auto r = BuildDatabase(path, d);
    if (r.bCreateFailed) qWarning() << "build failed" << r.errorNumber << r.errorDescription;
    return path;
}

// One field of every type, notes and three keywords.
inline Rows everyType() {
    return {{"Name", "Text", ""},        {"Age", "Number/Integer", ""}, {"Price", "Number/Double", "2"},
            {"Born", "Date/Time", ""},   {"Cost", "Currency", ""},      {"Active", "True/False", ""},
            {"Photo", "FilePath", ""}};
}

// Runs SQL statements on the file directly.
inline void exec(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QVERIFY(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
    const QString msg = QString::fromUtf8(err ? err : "");
    sqlite3_free(err);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, qPrintable(msg));
}

// n rows whose first text column `column` holds "R1".."Rn".
inline void addRows(const QString& path, const QString& column, int n) {
    exec(path, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                              "INSERT INTO UserTable ([%2], SrchInt, SrchKey, RptFlg) SELECT 'R' || i, 0, 0, 0 FROM c")
                 .arg(n)
                 .arg(column));
}

// The sqlite3 command-line program's answer for a query on the file.
inline QString sql(const QString& path, const QString& query) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, query});
    if (!p.waitForFinished(10000)) return QStringLiteral("<sqlite3 failed>");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The shared state of an open database, as the Open command leaves it, with the colour settings
// the main window reads at start.
inline void openState(const QString& path, const QString& level = QStringLiteral("SUPRVR"), bool security = false) {
    Module1::CurrentDBPath = path;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SecurityOn = security;
    Module1::SetCurrentUser(QStringLiteral("Admin"));
    Module1::SetCurrentUserLevel(level);
    Module1::SetFrmColor(QStringLiteral("16711680"));
    Module1::SetTextColor(QStringLiteral("16777215"));
}

inline DataInput& openView(const QString& path, const QString& level = QStringLiteral("SUPRVR"), bool security = false) {
    openState(path, level, security);
    DataInput& v = DataInput::instance();
    v.Load();
    return v;
}

inline bool shown(const QWidget* w) { return w && !w->isHidden(); }

}  // namespace entrytest
