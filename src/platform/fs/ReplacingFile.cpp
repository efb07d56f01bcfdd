#include "platform/fs/ReplacingFile.h"

#include "platform/core/VbError.h"
#include "platform/fs/FileErrors.h"
#include "platform/fs/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

namespace {
constexpr qint64 kBuffer = 256 * 1024;
constexpr auto kWritable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;

// Whether another program (or another connection of this one) holds a lock on any byte of the file.
bool lockedByOther(const QByteArray& path) {
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct flock lk {};
    lk.l_type = F_WRLCK;
    lk.l_whence = SEEK_SET;
    lk.l_start = 0;
    lk.l_len = 0;   // to the end, and past it where database engines keep their lock bytes
    const bool locked = ::fcntl(fd, F_OFD_GETLK, &lk) == 0 && lk.l_type != F_UNLCK;
    ::close(fd);
    return locked;
}
}  // namespace

void RequireWritableTarget(const QString& target) {
    const QFileInfo fi(target);
    const QByteArray name = QFile::encodeName(fi.fileName());
    const QByteArray full = QFile::encodeName(fi.absoluteFilePath());
    if (name.isEmpty()) raiseFileCause(FileCause::NotFound, target);
    if (target.contains(QChar(0))) raiseFileCause(FileCause::BadName, QString(target).replace(QChar(0), QLatin1Char('?')));
    if (name.size() > NAME_MAX || full.size() >= PATH_MAX) raiseFileCause(FileCause::NameTooLong, target);
    const QFileInfo folder(fi.absolutePath());
    if (!folder.isDir()) raiseFileCause(FileCause::NotFound, target);
    // By the permissions, whoever runs the program, as the database layer judges a folder.
    if (!(folder.permissions() & kWritable)) raiseFileCause(FileCause::NoPermission, target);
    if (::access(QFile::encodeName(folder.absoluteFilePath()).constData(), W_OK) != 0) raiseFileError(errno, target);
    if (!fi.exists()) return;
    if (fi.isDir()) raiseFileError(EISDIR, target);
    if (!(fi.permissions() & kWritable)) raiseFileCause(FileCause::ReadOnlyFile, target);
    if (lockedByOther(full)) raiseFileCause(FileCause::Locked, target);
}

ReplacingFile::ReplacingFile(const QString& target) : target_(target) {
    RequireWritableTarget(target);
    struct stat st {};
    replacing_ = ::stat(QFile::encodeName(target).constData(), &st) == 0;
    if (replacing_) mode_ = st.st_mode & 07777;
    temp_ = TempPathBeside(target);
    fd_ = ::open(QFile::encodeName(temp_).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing_ ? mode_ : 0666);
    if (fd_ < 0) {
        const int e = errno;
        temp_.clear();
        raiseFileError(e, target_);
    }
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

ReplacingFile::~ReplacingFile() { discard(); }

void ReplacingFile::discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    // A database engine that wrote the file by name may have left its journal beside it.
    if (!temp_.isEmpty())
        for (const char* suffix : {"", "-journal", "-wal", "-shm"})
            ::unlink((QFile::encodeName(temp_) + suffix).constData());
    temp_.clear();
}

QString ReplacingFile::libraryPath() {
    byName_ = true;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    // The library makes the file itself (a database engine refuses one that exists); the name,
    // random and this process's, stays unused meanwhile.
    ::unlink(QFile::encodeName(temp_).constData());
    return temp_;
}

bool ReplacingFile::writeOut(const char* p, qint64 left) {
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, size_t(left));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error_ = n < 0 ? errno : ENOSPC;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

qint64 ReplacingFile::writeData(const char* data, qint64 len) {
    if (error_ != 0 || fd_ < 0) return -1;   // the file is lost already: commit() reports why
    if (buffer_.size() + len > kBuffer) {
        if (!writeOut(buffer_.constData(), buffer_.size())) return -1;
        buffer_.clear();
        if (len > kBuffer) return writeOut(data, len) ? len : -1;
    }
    buffer_.append(data, len);
    return len;
}

void ReplacingFile::fail(int errnoValue) {
    discard();
    raiseFileError(errnoValue, target_);
}

void ReplacingFile::failWrite(int errnoValue, const QString& libraryWords) {
    discard();
    raiseWriteFailure(errnoValue, target_, libraryWords);
}

void ReplacingFile::finish() {
    if (temp_.isEmpty()) raise(err::PathFileAccess, fileCauseMessage(FileCause::Other, target_, QStringLiteral("written twice")));
    QIODevice::close();
    if (byName_) {
        fd_ = ::open(QFile::encodeName(temp_).constData(), O_RDONLY | O_CLOEXEC);
        if (fd_ < 0) fail(errno);
    } else {
        if (error_ == 0 && !buffer_.isEmpty() && writeOut(buffer_.constData(), buffer_.size())) buffer_.clear();
        if (error_ != 0) fail(error_);
    }
    if (::fsync(fd_) != 0) fail(errno);
    if (replacing_) ::fchmod(fd_, mode_);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) fail(errno);
}

void ReplacingFile::commit() {
    commitWith([this](const QString& temp) {
        ReplaceFile(temp, target_);
        return target_;
    });
}

QString ReplacingFile::commitWith(const std::function<QString(const QString&)>& place) {
    finish();
    QString placed;
    try {
        placed = place(temp_);
    } catch (...) {
        discard();
        throw;
    }
    temp_.clear();
    return placed;
}

}  // namespace vb
