#pragma once
// How the commands that open or copy a database file answer an error: a cancelled dialog is
// silent; a file the provider refuses is "not the correct structure"; a locked file has its own
// message; anything else shows the number and the description.
#include "platform/core/VbError.h"

#include <QString>

void ReportOpenError(const vb::VbError& e, const QString& lockedTitle = QStringLiteral("Ravelstow"));
