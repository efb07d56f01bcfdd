#pragma once
// The common dialog's filter "text|pattern|text|pattern" as Qt file dialog name filters.
// Patterns separated by ';' become a space-separated list, and "*.*" becomes "*" so that files
// without a dot are shown too.
#include <QString>
#include <QStringList>

namespace vb {
QStringList qtNameFilters(const QString& vbFilter);
}
