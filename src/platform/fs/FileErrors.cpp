#include "platform/fs/FileErrors.h"

#include "platform/core/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/statvfs.h>

namespace vb {

FileCause fileCauseOf(int e) {
    switch (e) {
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return FileCause::DiskFull;
    case EACCES:
    case EPERM: return FileCause::NoPermission;
    case EROFS: return FileCause::ReadOnlyMedium;
    case EBUSY:
    case ETXTBSY:
    case EAGAIN: return FileCause::Locked;
    case ENAMETOOLONG: return FileCause::NameTooLong;
    case ENOENT:
    case ENOTDIR: return FileCause::NotFound;
    default: return FileCause::Other;
    }
}

int32_t errorNumberOf(FileCause cause) {
    switch (cause) {
    case FileCause::DiskFull: return err::DiskFull;
    case FileCause::NoPermission:
    case FileCause::ReadOnlyFile:
    case FileCause::ReadOnlyMedium:
    case FileCause::Locked: return err::PermissionDenied;
    case FileCause::NotFound: return err::PathNotFound;
    case FileCause::BadName: return 52;   // bad file name or number
    case FileCause::NameTooLong:
    case FileCause::Other: return err::PathFileAccess;
    }
    return err::PathFileAccess;
}

QString fileCauseMessage(FileCause cause, const QString& path, const QString& detail) {
    const QString name = QDir::toNativeSeparators(path);
    switch (cause) {
    case FileCause::DiskFull:
        return QStringLiteral("Disk full: there is no room on the disk for %1. Free some space and try again.").arg(name);
    case FileCause::NoPermission:
        return QStringLiteral("Permission denied: %1 may not be written in that folder. Choose another folder.").arg(name);
    case FileCause::ReadOnlyFile:
        return QStringLiteral("%1 is read-only and cannot be replaced. Choose another name.").arg(name);
    case FileCause::ReadOnlyMedium:
        return QStringLiteral("The disk that holds %1 is read-only. Choose another folder.").arg(name);
    case FileCause::Locked:
        return QStringLiteral("%1 is locked by another program. Close it there and try again.").arg(name);
    case FileCause::NameTooLong:
        return QStringLiteral("The name %1 is too long. Choose a shorter name.").arg(name);
    case FileCause::BadName:
        return QStringLiteral("The name %1 is not a valid file name. Choose another name.").arg(name);
    case FileCause::NotFound:
        return QStringLiteral("Path not found: the folder of %1 does not exist.").arg(name);
    case FileCause::Other: break;
    }
    return QStringLiteral("%1 cannot be written: %2").arg(name, detail);
}

void raiseFileCause(FileCause cause, const QString& path, const QString& detail) {
    VbError e(errorNumberOf(cause), fileCauseMessage(cause, path, detail));
    e.fileCause = int(cause);
    throw e;
}

void raiseFileError(int errnoValue, const QString& path) {
    raiseFileCause(fileCauseOf(errnoValue), path, QString::fromLocal8Bit(std::strerror(errnoValue)));
}

void raiseWriteFailure(int errnoValue, const QString& path, const QString& libraryWords) {
    const FileCause cause = fileCauseOf(errnoValue);
    if (cause != FileCause::Other && cause != FileCause::NotFound) raiseFileCause(cause, path);
    // The library kept no cause: a limit on the size of files, or a disk with next to nothing left,
    // made it full.
    rlimit lim {};
    if (::getrlimit(RLIMIT_FSIZE, &lim) == 0 && lim.rlim_cur != RLIM_INFINITY) raiseFileCause(FileCause::DiskFull, path);
    struct statvfs fs {};
    if (::statvfs(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), &fs) == 0 &&
        quint64(fs.f_bavail) * fs.f_frsize < 256 * 1024)
        raiseFileCause(FileCause::DiskFull, path);
    raiseFileCause(FileCause::Other, path, libraryWords);
}

}  // namespace vb
