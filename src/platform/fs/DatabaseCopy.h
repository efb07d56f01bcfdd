#pragma once
// Copies a database file consistently even while it is open elsewhere (SQLite's online backup),
// into a temporary file beside the target that replaces the target only once it is complete.
#include <QString>

namespace vb {
void CopyDatabase(const QString& source, const QString& target);
}
