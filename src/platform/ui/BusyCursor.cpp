#include "platform/ui/BusyCursor.h"

#include "platform/db/LockWait.h"

#include <QCursor>
#include <QGuiApplication>

namespace vb {

namespace {
int shown = 0;
}

void InstallLockWaitCursor() {
    db::LockWait::SetHooks(
        [] {
            ++shown;
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        },
        [] { QGuiApplication::restoreOverrideCursor(); });
}

int LockWaitCursorCount() { return shown; }

}  // namespace vb
