#pragma once
// Helpers of the data-layer tests: a temporary folder, a database built by the real builder.
#include "create/DatabaseBuilder.h"
#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "support/TestDb.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace dbtest {

inline QString connStr(const QString& path) { return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path; }

using testdb::definition;

// A database with the fields Name (Text), Age (Number/Integer), Price (Number/Double, 2), Born
// (Date/Time), Cost (Currency), Active (True/False), Scan (FilePath), notes and 3 keywords.
inline QString buildSample(const QTemporaryDir& dir, const QString& file = QStringLiteral("sample.mdb"), bool security = false) {
    const QString path = dir.filePath(file);
    const auto r = BuildDatabase(path, definition({{"Name", "Text", ""},
                                                   {"Age", "Number/Integer", ""},
                                                   {"Price", "Number/Double", "2"},
                                                   {"Born", "Date/Time", ""},
                                                   {"Cost", "Currency", ""},
                                                   {"Active", "True/False", ""},
                                                   {"Scan", "FilePath", ""}},
                                                  true, "3", security));
    if (r.bCreateFailed) qWarning() << "sample build failed" << r.errorNumber << r.errorDescription;
    return path;
}

using testdb::errorOf;

// Output of the sqlite3 command-line program on a file (empty when it is not installed).
inline QString sqliteCli(const QString& path, const QString& command) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, command});
    if (!p.waitForFinished(10000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace dbtest
