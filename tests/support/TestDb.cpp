#include "support/TestDb.h"

#include "platform/core/VbError.h"
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"

#include <QProcess>
#include <QTest>
#include <sqlite3.h>

namespace testdb {

DatabaseDefinition definition(const Rows& rows, bool notes, const QString& keywords, bool security) {
    DatabaseDefinition d;
    d.noFieldsText = QString::number(rows.size());
    d.rows = rows;
    d.bMemo = notes;
    d.keyWordsText = keywords;
    d.bUserSec = security;
    return d;
}

QString build(const QString& path, const Rows& rows, bool notes, int keywords, bool security) {
    const auto r = BuildDatabase(path, definition(rows, notes, QString::number(keywords), security));
    if (r.bCreateFailed)
        QTest::qFail(qPrintable(QStringLiteral("build failed: %1 %2").arg(r.errorNumber).arg(r.errorDescription)), __FILE__,
                     __LINE__);
    return path;
}

Rows everyType() {
    return {{"Name", "Text", ""},      {"Age", "Number/Integer", ""}, {"Price", "Number/Double", "2"},
            {"Born", "Date/Time", ""}, {"Cost", "Currency", ""},      {"Active", "True/False", ""},
            {"Photo", "FilePath", ""}};
}

void exec(const QString& path, const QString& sql) {
    sqlite3* db = nullptr;
    QString msg;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc == SQLITE_OK) {
        char* err = nullptr;
        rc = sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err);
        msg = QString::fromUtf8(err ? err : "");
        sqlite3_free(err);
    }
    sqlite3_close(db);
    if (rc != SQLITE_OK) QTest::qFail(qPrintable("SQL failed: " + msg + " in " + sql), __FILE__, __LINE__);
}

void addRows(const QString& path, const QString& column, int n) {
    if (n > 0)
        exec(path, QStringLiteral("WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < %1) "
                              "INSERT INTO UserTable ([%2], SrchInt, SrchKey, RptFlg) SELECT 'R' || i, 0, 0, 0 FROM c")
                   .arg(n)
                   .arg(column));
}

QStringList columns(const QString& path, const QString& table, bool types) {
    db::Connection conn;
    conn.Open(path);
    QStringList out;
    for (const db::ColumnInfo& c : db::Catalog(conn).Columns(table))
        out << (types ? c.Name + ":" + QString::number(c.Type) : c.Name);
    return out;
}

QString cli(const QString& path, const QString& query) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, query});
    if (!p.waitForFinished(10000)) return QStringLiteral("<sqlite3 failed>");
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

int32_t errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::VbError& e) {
        return e.number;
    }
    return 0;
}

}  // namespace testdb
