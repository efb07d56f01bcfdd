#pragma once
// Databases for tests: built by the real builder, changed and read with SQLite directly.
#include "create/DatabaseBuilder.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace testdb {

using Rows = QList<DbFieldRow>;

DatabaseDefinition definition(const Rows& rows, bool notes = false, const QString& keywords = {}, bool security = false);
// Builds a database at path; fails the running test when the build fails.
QString build(const QString& path, const Rows& rows, bool notes = false, int keywords = 0, bool security = false);
// One field of every type: Name, Age, Price (2 places), Born, Cost, Active, Photo (a file path).
Rows everyType();
// everyType() with notes and three keywords.
inline QString buildSample(const QString& path, bool security = false) { return build(path, everyType(), true, 3, security); }
// Runs SQL statements on the file directly; fails the running test on an error.
void exec(const QString& path, const QString& sql);
// n rows whose text column `column` holds "R1".."Rn".
void addRows(const QString& path, const QString& column, int n);
// The answer of the sqlite3 command-line program for a query on the file.
QString cli(const QString& path, const QString& query);
// The columns of a table as the catalogue reads them: "Name", or "Name:type" with types.
QStringList columns(const QString& path, const QString& table = QStringLiteral("UserTable"), bool types = false);
// The error number f raises (0 when none).
int32_t errorOf(const std::function<void()>& f);
inline QString connStr(const QString& path) { return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path; }

}  // namespace testdb
