#include "platform/shellexec/ShellExecute.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace vb {

namespace {
Launcher g_launcher;
AssociationLookup g_lookup;

bool launch(const QString& program, const QStringList& args) {
    if (g_launcher) return g_launcher(program, args);
    return QProcess::startDetached(program, args);
}

QString defaultApplicationFor(const QString& file) {
    if (g_lookup) return g_lookup(file);
    const QString mime = QMimeDatabase().mimeTypeForFile(file).name();
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return {};
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (!p.waitForFinished(5000)) {
        p.kill();
        return {};
    }
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

bool isAddress(const QString& file) {
    const QUrl url(file);
    return url.isValid() && !url.scheme().isEmpty() && url.scheme().size() > 1 && !url.isLocalFile();
}
}  // namespace

void setLauncherForTesting(Launcher launcher) { g_launcher = std::move(launcher); }
void setAssociationLookupForTesting(AssociationLookup lookup) { g_lookup = std::move(lookup); }

bool StartProgram(const QString& program, const QStringList& arguments) { return launch(program, arguments); }

int ShellExecute(const QString& file) {
    const QString opener = QStringLiteral("xdg-open");
    if (isAddress(file)) return launch(opener, {file}) ? 42 : 0;
    const QFileInfo fi(file);
    if (!fi.exists()) return QFileInfo(fi.absolutePath()).isDir() ? 2 : 3;
    if (!fi.isReadable()) return 5;
    if (!fi.isDir() && defaultApplicationFor(fi.absoluteFilePath()).isEmpty()) return 31;
    return launch(opener, {fi.absoluteFilePath()}) ? 42 : 0;
}

}  // namespace vb
