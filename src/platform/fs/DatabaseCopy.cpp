#include "platform/fs/DatabaseCopy.h"

#include "platform/core/VbError.h"
#include "platform/db/ErrorMap.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplacingFile.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sqlite3.h>

namespace vb {

namespace {
struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close(db); }
};
}  // namespace

void CopyDatabase(const QString& source, const QString& target) {
    if (!FileExists(source)) raise(err::FileNotFound);
    ReplacingFile out(target);
    const QString temp = out.libraryPath();
    try {
        Handle from, to;
        int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from.db, SQLITE_OPEN_READONLY, nullptr);
        if (rc != SQLITE_OK) db::raiseSqlite(rc, from.db);
        sqlite3_busy_timeout(from.db, 2000);
        rc = sqlite3_open_v2(QFile::encodeName(temp).constData(), &to.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        if (rc != SQLITE_OK) db::raiseSqlite(rc, to.db);
        sqlite3_backup* backup = sqlite3_backup_init(to.db, "main", from.db, "main");
        if (!backup) db::raiseSqlite(sqlite3_errcode(to.db), to.db);
        rc = sqlite3_backup_step(backup, -1);
        const int finish = sqlite3_backup_finish(backup);
        if (rc != SQLITE_DONE) db::raiseSqlite(rc, to.db);
        if (finish != SQLITE_OK) db::raiseSqlite(finish, to.db);
        sqlite3_exec(to.db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    } catch (const VbError& e) {
        // The new file's own disk is named as a file's; the source's lock stays the database's.
        if (db::causeOf(e) == db::Cause::DiskFull) out.failWrite(ENOSPC, e.description);
        throw;
    }
    out.commit();
}

}  // namespace vb
