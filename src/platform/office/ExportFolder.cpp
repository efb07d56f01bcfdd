#include "platform/office/ExportFolder.h"

#include "platform/core/VbError.h"
#include "platform/fs/FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <unistd.h>

namespace vb {

namespace {
QString g_override;
}

void setExportFolderForTesting(const QString& folder) { g_override = folder; }

QString exportFolder() {
    QString folder = g_override;
    if (folder.isEmpty()) {
        QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (docs.isEmpty()) docs = QDir::home().filePath(QStringLiteral("Documents"));
        folder = QDir(docs).filePath(QStringLiteral("Ravelstow Exports"));
    }
    QDir().mkpath(folder);
    return folder;
}

QString uniqueExportPath(const QString& stem, const QString& ext, const QDateTime& when) {
    const QDir dir(exportFolder());
    const QString base = stem + QLatin1Char(' ') + when.toString(QStringLiteral("yyyy-MM-dd HH-mm-ss"));
    QString path = dir.filePath(base + QLatin1Char('.') + ext);
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(base + QStringLiteral(" (%1).").arg(n) + ext);
    return path;
}

QString placeExportFile(const QString& temp, const QString& planned) {
    const QByteArray from = QFile::encodeName(temp);
    const QFileInfo fi(planned);
    const QString base = fi.dir().filePath(fi.completeBaseName()), ext = fi.suffix();
    for (int n = 1; n <= 100; ++n) {
        const QString target = n == 1 ? planned : base + QStringLiteral(" (%1).").arg(n) + ext;
        // link() fails when the name exists, so nothing is ever replaced.
        if (::link(from.constData(), QFile::encodeName(target).constData()) == 0) {
            ::unlink(from.constData());
            return target;
        }
        if (errno != EEXIST) raiseFileError(errno, target);
    }
    raise(err::FileAlreadyExists);
}

}  // namespace vb
