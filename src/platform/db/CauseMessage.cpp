#include "platform/db/CauseMessage.h"

#include "platform/core/UiServices.h"
#include "platform/core/VbError.h"
#include "platform/fs/FileErrors.h"

namespace vb {

QString DatabaseCauseMessage(db::Cause cause, const QString& outcome) {
    switch (cause) {
    case db::Cause::Locked:
        return QStringLiteral("Database is Locked by another program, ") + outcome + QStringLiteral(" Please try again later.");
    case db::Cause::ReadOnly: return QStringLiteral("Database is Read Only, ") + outcome;
    case db::Cause::DiskFull: return QStringLiteral("Disk is Full, ") + outcome + QStringLiteral(" Please free some space.");
    case db::Cause::Unreadable: return QStringLiteral("Database file is damaged and cannot be read, ") + outcome;
    case db::Cause::Missing:
    case db::Cause::None: break;
    }
    return {};
}

QString DatabaseCauseMessage(const VbError& e, const QString& outcome) {
    if (const QString folder = db::ReadOnlyFolderOf(e); !folder.isEmpty())
        return QStringLiteral("The folder '%1' of the database may not be written, ").arg(folder) + outcome;
    return DatabaseCauseMessage(db::causeOf(e), outcome);
}

QString CauseMessage(const VbError& e, const QString& outcome) {
    if (e.fileCause >= 0) return e.fileCause == int(FileCause::Other) ? QString() : e.description;
    const db::Cause cause = db::causeOf(e);
    // A damaged file and a missing table or column are the commands' own to answer.
    if (cause == db::Cause::Unreadable || cause == db::Cause::Missing) return {};
    return DatabaseCauseMessage(e, outcome);
}

bool ShowCause(const VbError& e, const QString& outcome, const QString& title) {
    const QString text = CauseMessage(e, outcome);
    if (text.isEmpty()) return false;
    MsgBox(text, vbOKOnly | vbExclamation, title);
    return true;
}

}  // namespace vb
