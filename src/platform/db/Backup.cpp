#include "platform/db/Backup.h"

#include "platform/db/ErrorMap.h"

#include <QFile>
#include <sqlite3.h>

namespace db {

namespace {
struct Handle {
    sqlite3* db = nullptr;
    ~Handle() { sqlite3_close(db); }
};
}  // namespace

void BackupDatabase(const QString& source, const QString& target) {
    Handle from, to;
    int rc = sqlite3_open_v2(QFile::encodeName(source).constData(), &from.db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) raiseSqlite(rc, from.db);
    sqlite3_busy_timeout(from.db, 2000);
    rc = sqlite3_open_v2(QFile::encodeName(target).constData(), &to.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) raiseSqlite(rc, to.db);
    sqlite3_backup* backup = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!backup) raiseSqlite(sqlite3_errcode(to.db), to.db);
    rc = sqlite3_backup_step(backup, -1);
    const int finish = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) raiseSqlite(rc, to.db);
    if (finish != SQLITE_OK) raiseSqlite(finish, to.db);
    sqlite3_exec(to.db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
}

}  // namespace db
