#include "platform/fs/FileSystem.h"

#include "platform/core/VbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>
#include <cerrno>
#include <cstdio>

namespace vb {

namespace {
int errnoToVb(int e) {
    switch (e) {
    case ENOENT: return err::FileNotFound;
    case ENOTDIR: return err::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY: return err::PermissionDenied;
    case ENOSPC: return err::DiskFull;
    default: return err::PathFileAccess;
    }
}

QString canonicalOf(const QString& path) {
    const QFileInfo fi(path);
    if (fi.exists()) return fi.canonicalFilePath();
    const QString dir = QFileInfo(fi.absolutePath()).canonicalFilePath();
    return dir.isEmpty() ? QDir::cleanPath(fi.absoluteFilePath()) : QDir(dir).filePath(fi.fileName());
}
}  // namespace

bool FileExists(const QString& path) {
    const QFileInfo fi(path);
    return fi.exists() && !fi.isDir();
}

void DeleteFile(const QString& path) {
    if (!FileExists(path)) raise(err::FileNotFound);
    if (std::remove(QFile::encodeName(path).constData()) != 0) raise(errnoToVb(errno));
}

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) return false;
    return canonicalOf(a) == canonicalOf(b);
}

bool SamePath(const QString& a, const QString& b) {
    return (!a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0) || SameFile(a, b);
}

void RequireReplaceable(const QString& path) {
    if (!FileExists(path)) return;
    const QFileDevice::Permissions p = QFile::permissions(path);
    if (!(p & (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther))) raise(err::PermissionDenied);
}

QString TempPathBeside(const QString& target) {
    const QFileInfo fi(target);
    return QDir(fi.absolutePath())
        .filePath("." + fi.fileName() + "." + QUuid::createUuid().toString(QUuid::Id128).left(12) + ".tmp");
}

void ReplaceFile(const QString& source, const QString& target) {
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0)
        raise(errnoToVb(errno));
}

}  // namespace vb
