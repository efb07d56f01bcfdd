#include "platform/fs/DatabaseCopy.h"

#include "platform/core/VbError.h"
#include "platform/db/Backup.h"
#include "platform/fs/FileSystem.h"

#include <QFile>
#include <QFileInfo>

namespace vb {

void CopyDatabase(const QString& source, const QString& target) {
    if (!FileExists(source)) raise(err::FileNotFound);
    const QFileInfo folder(QFileInfo(target).absolutePath());
    if (!folder.isDir()) raise(err::PathNotFound);
    if (!folder.isWritable()) raise(err::PermissionDenied);
    const QString temp = TempPathBeside(target);
    try {
        db::BackupDatabase(source, temp);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
    try {
        ReplaceFile(temp, target);
    } catch (...) {
        QFile::remove(temp);
        throw;
    }
}

}  // namespace vb
