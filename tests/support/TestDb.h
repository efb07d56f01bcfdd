#pragma once
// Databases for tests: built by the real builder, changed and read with SQLite directly.
#include "create/DatabaseBuilder.h"

#include <QString>
#include <functional>

namespace testdb {

using Rows = QList<DbFieldRow>;

DatabaseDefinition definition(const Rows& rows, bool notes = false, const QString& keywords = {}, bool security = false);
// Builds a database at path; fails the running test when the build fails.
QString build(const QString& path, const Rows& rows, bool notes = false, int keywords = 0, bool security = false);
// One field of every type: Name, Age, Price (2 places), Born, Cost, Active, Photo (a file path).
Rows everyType();
// Runs SQL statements on the file directly; fails the running test on an error.
void exec(const QString& path, const QString& sql);
// The answer of the sqlite3 command-line program for a query on the file.
QString cli(const QString& path, const QString& query);
// The error number f raises (0 when none).
int32_t errorOf(const std::function<void()>& f);

}  // namespace testdb
