#include "platform/core/DialogFilter.h"

namespace vb {

QStringList qtNameFilters(const QString& vbFilter) {
    QStringList out;
    const QStringList parts = vbFilter.split('|');
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QString p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            p = p.trimmed();
            patterns << (p == "*.*" ? QStringLiteral("*") : p);
        }
        // Qt reads the patterns from the caption's last parentheses: put ours there.
        QString text = parts[i].trimmed();
        const int open = text.lastIndexOf('(');
        if (text.endsWith(')') && open >= 0) text = text.left(open).trimmed();
        out << text + " (" + patterns.join(' ') + ")";
    }
    return out;
}

}  // namespace vb
