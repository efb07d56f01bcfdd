#include "platform/paths/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vb {

namespace {
QString g_override;
// The build writes this file beside the executable it makes: a build tree is not a program folder
// (cleaning the build would delete the user's settings and databases with it).
const char kBuildTreeMark[] = "ravelstow-build-tree.txt";
}

void setProgramFolderForTesting(const QString& folder) { g_override = folder; }

QString programFolder() {
    if (!g_override.isEmpty()) return g_override;
    const QString env = qEnvironmentVariable("RAVELSTOW_HOME");
    if (!env.isEmpty()) return QDir(env).absolutePath();
    const QString exe = QCoreApplication::applicationDirPath();
    if (!exe.isEmpty() && QFileInfo(exe).isWritable() && !QFileInfo::exists(QDir(exe).filePath(QLatin1String(kBuildTreeMark))))
        return exe;
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
