#pragma once
// Helpers of the data-layer tests: a temporary folder, a database built by the real builder.
#include "create/DatabaseBuilder.h"
#include "platform/core/VbError.h"
#include "platform/db/Connection.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

namespace dbtest {

inline QString connStr(const QString& path) { return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path; }

// The row texts of a definition: {name, type, decimals}.
inline DatabaseDefinition definition(const QList<DbFieldRow>& rows, bool notes = false, const QString& keywords = {},
                                     bool security = false) {
    DatabaseDefinition d;
    d.noFieldsText = QString::number(rows.size());
    d.rows = rows;
    d.bMemo = notes;
    d.keyWordsText = keywords;
    d.bUserSec = security;
    return d;
}

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

// Runs f and returns the error number it raised (0 when it raised none).
inline int32_t errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const vb::VbError& e) {
        return e.number;
    }
    return 0;
}

// Output of the sqlite3 command-line program on a file (empty when it is not installed).
inline QString sqliteCli(const QString& path, const QString& command) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, command});
    if (!p.waitForFinished(10000)) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace dbtest
