#include "platform/fs/FileSystem.h"

#include "platform/core/VbError.h"
#include "platform/fs/FileErrors.h"
#include "platform/fs/ReplacingFile.h"
#include "platform/fs/TempFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace vb {

namespace {
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

bool NothingAt(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}

QString WithExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + (path.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".")) + extension;
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

namespace {

// Four hex digits naming this machine, so that a folder shared between machines keeps the
// temporary files of processes running elsewhere.
QString hostTag() {
    static const QString tag =
        QString::number(qHash(QSysInfo::machineHostName()) & 0xffff, 16).rightJustified(4, QLatin1Char('0'));
    return tag;
}

// ".<name>.<host>-<pid>-<random>.tmp", and the journals SQLite keeps beside such a file.
const QRegularExpression& tempPattern() {
    static const QRegularExpression re(
        QStringLiteral(R"(^\..+\.([0-9a-f]{4})-([0-9]+)-[0-9a-f]{8}\.tmp(-journal|-wal|-shm)?$)"));
    return re;
}

bool processRuns(qint64 pid) {
    if (pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return false;
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

int RemoveStaleTempFiles(const QString& folder) {
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    int running = 0;
    for (const QString& name : names) {
        const auto m = tempPattern().match(name);
        if (!m.hasMatch() || m.captured(1) != hostTag()) continue;
        const qint64 pid = m.captured(2).toLongLong();
        if (pid == qint64(::getpid()) || processRuns(pid)) ++running;
        else QFile::remove(dir.filePath(name));
    }
    return running;
}

QString TempPathBeside(const QString& target) {
    const QFileInfo fi(target);
    RemoveStaleTempFiles(fi.absolutePath());
    NoteTempFolder(fi.absolutePath());
    // The temporary name must fit where the target's fits: a long name is shortened in it.
    QString name = fi.fileName();
    while (QFile::encodeName(name).size() > 200) name.chop(1);
    const QString random =
        QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, QLatin1Char('0'));
    return QDir(fi.absolutePath())
        .filePath(QLatin1Char('.') + name + QLatin1Char('.') + hostTag() + QLatin1Char('-') +
                  QString::number(::getpid()) + QLatin1Char('-') + random + QStringLiteral(".tmp"));
}

void ReplaceFile(const QString& source, const QString& target) {
    if (std::rename(QFile::encodeName(source).constData(), QFile::encodeName(target).constData()) != 0)
        raiseFileError(errno, target);
    syncFolder(QFileInfo(target).absolutePath());
}

void WriteFileReplacing(const QString& path, const QByteArray& data) {
    ReplacingFile file(path);
    file.write(data);
    file.commit();
}

}  // namespace vb
