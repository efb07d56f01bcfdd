#include "shell/OpenErrors.h"

#include "platform/core/UiServices.h"

void ReportOpenError(const vb::VbError& e, const QString& lockedTitle) {
    if (e.number == vb::err::CancelError) return;
    if (e.number == vb::err::E_FAIL_ || e.number == vb::err::DB_E_NOTABLE) {
        vb::MsgBox(QStringLiteral("This Database Is Not The Correct Structure. Open A Tolvane Database."), vb::vbOKOnly,
                   QStringLiteral("Database Structure"));
    } else if (e.number == vb::err::PermissionDenied) {
        vb::MsgBox(QStringLiteral("This Database is Locked for writing, Exit application to unlock Database."), vb::vbOKOnly,
                   lockedTitle);
    } else {
        vb::ShowErrorPair(e);
    }
}
