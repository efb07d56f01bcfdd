#pragma once
// The one place where SQLite's result codes become the error numbers the program answers.
#include <QString>
#include <cstdint>

struct sqlite3;

namespace vb {
struct VbError;
}

namespace db {

// Error numbers of the data layer that the shared error header does not name.
namespace err {
constexpr int32_t FeatureNotAvailable = 3251;   // the record set does not support the operation
constexpr int32_t OutOfMemory = 7;
constexpr int32_t DB_E_BADBINDINFO = int32_t(0x80040E12);
}  // namespace err

// The error number for a SQLite (extended) result code; the message decides between the
// SQLITE_ERROR cases (no such table, no such column, syntax).
int32_t errorNumberFor(int sqliteCode, const QString& message = {});

// Throws the VbError for a failed SQLite call: the number from errorNumberFor, the description
// from the connection's last message (or SQLite's text for the code when there is no connection).
[[noreturn]] void raiseSqlite(int sqliteCode, sqlite3* handle, const QString& context = {});

// Why the file refused a read or a write. The provider reports all of these as its general
// failure (0x80004005), and handlers that answer that number keep working; the cause lets the
// ones that name it tell a locked file from a read-only one, a full disk or a damaged file.
enum class Cause {
    None,         // not a refusal of the file (or not from the data layer)
    Locked,       // another program holds a lock on the file
    ReadOnly,     // the file or its folder may not be written
    DiskFull,     // no room left for the file (or its journal) to grow
    Unreadable,   // the file is damaged or not a database
    Missing,      // a table or column the program needs is not in the file
};
Cause causeOfSqlite(int sqliteCode);
Cause causeOf(const vb::VbError& e);
// Whether the error is the database refusing a write: the file or its folder cannot be written
// (read-only file or medium, no right to write the journal). Its number stays the provider's
// general failure, which the account dialog answers; the search tells the case apart by this.
bool IsReadOnlyError(const vb::VbError& e);
// The folder that refused the write when the database file may be written but its folder may
// not (the engine's journal cannot be made there); empty otherwise.
QString ReadOnlyFolderOf(const vb::VbError& e);
// Whether the error is a damaged page of a database file (not a file that is no database).
bool IsDamagedError(const vb::VbError& e);
// Raises the error of a database file found damaged (IsDamagedError holds for it).
[[noreturn]] void raiseDamaged(const QString& path);

// Checks a SQLite return code: anything but OK/ROW/DONE raises.
inline void check(int rc, sqlite3* handle, const QString& context = {}) {
    if (rc != 0 && rc != 100 && rc != 101) raiseSqlite(rc, handle, context);
}

}  // namespace db
