#include "platform/db/ErrorMap.h"

#include "platform/core/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sqlite3.h>

namespace db {

int32_t errorNumberFor(int sqliteCode, const QString& message) {
    using namespace vb::err;
    switch (sqliteCode & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return 0;
    case SQLITE_ERROR:
        // SQLITE_ERROR covers the statement's own faults; the message tells them apart.
        if (message.startsWith(QLatin1String("no such table"))) return DB_E_NOTABLE;
        if (message.startsWith(QLatin1String("no such column"))) return DB_E_PARAMNOTOPTIONAL;
        return DB_E_ERRORSINCOMMAND;
    case SQLITE_INTERNAL: return E_FAIL_;
    case SQLITE_PERM: return E_FAIL_;
    case SQLITE_ABORT: return DB_E_CANCELED;
    case SQLITE_BUSY: return E_FAIL_;           // locked by another connection or process
    case SQLITE_LOCKED: return E_FAIL_;
    case SQLITE_NOMEM: return err::OutOfMemory;
    case SQLITE_READONLY: return E_FAIL_;
    case SQLITE_INTERRUPT: return DB_E_CANCELED;
    case SQLITE_IOERR: return E_FAIL_;
    case SQLITE_CORRUPT: return E_FAIL_;
    case SQLITE_NOTFOUND: return E_FAIL_;
    case SQLITE_FULL: return E_FAIL_;
    case SQLITE_CANTOPEN: return E_FAIL_;
    case SQLITE_PROTOCOL: return E_FAIL_;
    case SQLITE_EMPTY: return E_FAIL_;
    case SQLITE_SCHEMA: return E_FAIL_;
    case SQLITE_TOOBIG: return DB_E_ERRORSOCCURRED;   // a value too long to store
    case SQLITE_CONSTRAINT: return E_FAIL_;           // the provider reports refused rows so
    case SQLITE_MISMATCH: return DB_E_ERRORSOCCURRED;
    case SQLITE_MISUSE: return IllegalOperation;
    case SQLITE_NOLFS: return E_FAIL_;
    case SQLITE_AUTH: return DB_SEC_E_AUTH_FAILED;
    case SQLITE_FORMAT: return E_FAIL_;
    case SQLITE_RANGE: return err::DB_E_BADBINDINFO;   // a parameter number out of range
    case SQLITE_NOTADB: return E_FAIL_;
    case SQLITE_NOTICE:
    case SQLITE_WARNING: return 0;
    default: return E_FAIL_;
    }
}

Cause causeOfSqlite(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return Cause::Locked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:   // the journal beside the file could not be made: the folder is read-only
        return Cause::ReadOnly;
    case SQLITE_FULL: return Cause::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT: return Cause::Unreadable;
    case SQLITE_IOERR:
        if (code == SQLITE_IOERR_SHORT_READ) return Cause::Unreadable;
        // A write the system cut short: a full disk (SQLite reports ENOSPC itself as FULL, but a
        // quota or a file-size limit arrives here).
        if (code == SQLITE_IOERR_WRITE) return Cause::DiskFull;
        return Cause::None;
    default: return Cause::None;
    }
}

bool IsDamagedError(const vb::VbError& e) { return (e.nativeError & 0xff) == SQLITE_CORRUPT; }

void raiseDamaged(const QString& path) {
    vb::VbError error(vb::err::E_FAIL_, QStringLiteral("The database file '%1' is damaged.").arg(path),
                      QStringLiteral("Ravelstow data layer"));
    error.nativeError = SQLITE_CORRUPT;
    throw error;
}

Cause causeOf(const vb::VbError& e) {
    if (e.number == vb::err::DB_E_NOTABLE || e.number == vb::err::DB_E_PARAMNOTOPTIONAL) return Cause::Missing;
    if (e.nativeError != 0) return causeOfSqlite(e.nativeError);
    if (e.number == vb::err::DiskFull) return Cause::DiskFull;
    return Cause::None;
}

void raiseSqlite(int sqliteCode, sqlite3* handle, const QString& context) {
    // A write that failed for want of room (a quota or a file-size limit included) is a full disk.
    if ((sqliteCode & 0xff) == SQLITE_IOERR && handle) {
        const int e = sqlite3_system_errno(handle);
        if (e == ENOSPC || e == EFBIG || e == EDQUOT) sqliteCode = SQLITE_FULL;
    }
    QString message;
    if (handle && sqlite3_errcode(handle) == sqliteCode) message = QString::fromUtf8(sqlite3_errmsg(handle));
    if (message.isEmpty()) message = QString::fromUtf8(sqlite3_errstr(sqliteCode));
    int32_t number = errorNumberFor(sqliteCode, message);
    if (number == 0) number = vb::err::E_FAIL_;
    QString description = message;
    if (number == vb::err::DB_E_NOTABLE && !context.isEmpty())
        description = QStringLiteral("The table '%1' does not exist.").arg(context);
    else if (!context.isEmpty() && number == vb::err::E_FAIL_ && (sqliteCode & 0xff) == SQLITE_CANTOPEN)
        description = QStringLiteral("Could not find file '%1'.").arg(context);
    else if (!context.isEmpty() && (sqliteCode & 0xff) == SQLITE_NOTADB)
        description = QStringLiteral("Unrecognized database format '%1'.").arg(context);
    vb::VbError error(number, description, QStringLiteral("Ravelstow data layer"));
    error.nativeError = sqliteCode;
    if (handle && causeOfSqlite(sqliteCode) == Cause::ReadOnly) {
        const char* file = sqlite3_db_filename(handle, "main");
        if (file) error.file = QFile::decodeName(file);
    }
    throw error;
}

QString ReadOnlyFolderOf(const vb::VbError& e) {
    if (!IsReadOnlyError(e) || e.file.isEmpty()) return {};
    // By the permissions, as the connection judges them when it opens the file.
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo fi(e.file);
    if (!(fi.permissions() & writable)) return {};
    const QFileInfo folder(fi.absolutePath());
    return folder.permissions() & writable ? QString() : QDir::toNativeSeparators(folder.absoluteFilePath());
}

bool IsReadOnlyError(const vb::VbError& e) {
    const int primary = e.nativeError & 0xff;
    // CANTOPEN after the file is open: the journal beside it could not be made (read-only folder).
    return primary == SQLITE_READONLY || primary == SQLITE_PERM || primary == SQLITE_CANTOPEN;
}

}  // namespace db
