#include "shell/OpenErrors.h"

#include "platform/core/UiServices.h"
#include "platform/db/CauseMessage.h"
#include "platform/db/ErrorMap.h"

void ReportOpenError(const vb::VbError& e, const QString& title, const QString& outcome) {
    if (e.number == vb::err::CancelError) return;
    if (db::IsDamagedError(e)) {
        // As the entry view says it of damage met while loading.
        vb::MsgBox(QStringLiteral("Database file is damaged and cannot be read."), vb::vbOKOnly,
                   QStringLiteral("Database Error"));
    } else if (vb::ShowCause(e, outcome, title)) {
        // named
    } else if (e.number == vb::err::E_FAIL_ || e.number == vb::err::DB_E_NOTABLE) {
        vb::MsgBox(QStringLiteral("This Database Is Not The Correct Structure. Open A Tolvane Database."), vb::vbOKOnly,
                   QStringLiteral("Database Structure"));
    } else if (e.number == vb::err::PermissionDenied) {
        vb::MsgBox(QStringLiteral("This Database is Locked for writing, Exit application to unlock Database."), vb::vbOKOnly,
                   title);
    } else {
        vb::ShowErrorPair(e);
    }
}
