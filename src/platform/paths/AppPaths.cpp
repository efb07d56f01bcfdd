#include "platform/paths/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vb {

namespace {
QString g_override;
}

void setProgramFolderForTesting(const QString& folder) { g_override = folder; }

QString programFolder() {
    if (!g_override.isEmpty()) return g_override;
    const QString env = qEnvironmentVariable("RAVELSTOW_HOME");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    const QString exe = QCoreApplication::applicationDirPath();
    if (!exe.isEmpty() && QFileInfo(exe).isWritable()) return exe;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

QString resourceFolder() {
    const QString exe = QCoreApplication::applicationDirPath();
    return exe.isEmpty() ? programFolder() : exe;
}

QString inProgramFolder(const QString& name) { return QDir(programFolder()).filePath(name); }

}  // namespace vb
