#include "platform/fs/TempFolders.h"

#include "platform/fs/FileSystem.h"
#include "platform/paths/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <fcntl.h>
#include <unistd.h>

namespace vb {

namespace {

QString listPath() { return inProgramFolder(QStringLiteral(".TempFolders")); }

// One folder a line, as the file system names it.
QStringList readList() {
    QFile f(listPath());
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList folders;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (!line.isEmpty() && !folders.contains(QFile::decodeName(line))) folders << QFile::decodeName(line);
    return folders;
}

QByteArray listBytes(const QStringList& folders) {
    QByteArray bytes;
    for (const QString& folder : folders) bytes += QFile::encodeName(folder) + '\n';
    return bytes;
}

}  // namespace

void NoteTempFolder(const QString& folder) {
    const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
    if (clean.contains(QLatin1Char('\n')) || SameFile(clean, programFolder()) || readList().contains(clean)) return;
    // One short appended line: lines that two runs add at once do not mix.
    const int fd = ::open(QFile::encodeName(listPath()).constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return;
    const QByteArray line = listBytes({clean});
    [[maybe_unused]] const ssize_t written = ::write(fd, line.constData(), size_t(line.size()));
    ::close(fd);
}

void RemoveStaleTempFilesEverywhere() {
    RemoveStaleTempFiles(programFolder());
    RemoveStaleTempFiles(inProgramFolder(QStringLiteral("DBFiles")));
    const QStringList listed = readList();
    if (listed.isEmpty()) return;
    QStringList kept;
    for (const QString& folder : listed)
        if (RemoveStaleTempFiles(folder) > 0) kept << folder;
    // Folders that another run added meanwhile stay listed.
    for (const QString& folder : readList())
        if (!listed.contains(folder)) kept << folder;
    try {
        if (kept.isEmpty()) QFile::remove(listPath());
        else WriteFileReplacing(listPath(), listBytes(kept));
    } catch (...) {
        // A program folder that may not be written keeps its list; the next start tries again.
    }
}

}  // namespace vb
