#include "platform/sysinfo/SysInfo.h"

#include <QStandardPaths>

namespace vb {

QString FindSystemInfoProgram() {
    for (const char* name : {"kinfocenter", "hardinfo2", "hardinfo", "gnome-system-monitor", "mate-system-monitor",
                             "xfce4-taskmanager"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty()) return path;
    }
    return {};
}

}  // namespace vb
