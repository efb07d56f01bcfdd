#include "platform/fs/DatabaseCopy.h"

#include "platform/core/VbError.h"
#include "platform/db/Backup.h"
#include "platform/db/ErrorMap.h"
#include "platform/fs/FileSystem.h"
#include "platform/fs/ReplacingFile.h"

#include <cerrno>

namespace vb {

void CopyDatabase(const QString& source, const QString& target) {
    if (!FileExists(source)) raise(err::FileNotFound);
    ReplacingFile out(target);
    const QString temp = out.libraryPath();
    try {
        db::BackupDatabase(source, temp);
    } catch (const VbError& e) {
        // The new file's own disk is named as a file's; the source's lock stays the database's.
        if (db::causeOf(e) == db::Cause::DiskFull) out.failWrite(ENOSPC, e.description);
        throw;
    }
    out.commit();
}

}  // namespace vb
