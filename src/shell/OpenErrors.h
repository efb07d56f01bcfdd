#pragma once
// How the commands that open or copy a database file answer an error: a cancelled dialog is
// silent; a damaged file, a lock, a full disk or a file that cannot be written is named (one box,
// under title); a file the provider refuses is "not the correct structure"; anything else shows
// the number and the description.
#include "platform/core/VbError.h"

#include <QString>

// outcome: what did not happen, as "the database was not opened."
void ReportOpenError(const vb::VbError& e, const QString& title = QStringLiteral("Ravelstow"),
                     const QString& outcome = QStringLiteral("the file was not opened."));
