#include "platform/format/UserDates.h"

#include "platform/format/Locale.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"

namespace vb {

// parseDate without a pattern reads by the locale alone; a pattern (a box's format) must never
// come into it, or the same text would mean another date in another box.
std::optional<QDateTime> readUserDate(const QString& text) { return parseDate(text); }

bool isUserDate(const QString& text) { return readUserDate(text).has_value(); }

QString showUserDate(const QDateTime& value) { return generalDate(value); }

QString showUserDateTime(const QDateTime& value) {
    return showUserShortDate(value.date()) + u' ' + Locale::current().toString(value.time(), Locale::timePattern());
}

QString showUserShortDate(const QDate& value) { return Locale::current().toString(value, Locale::shortDatePattern()); }

QString userDatePattern() {
    // The short date's Qt pattern in Format's notation: months are "m", quoted text is escaped.
    const QString qt = Locale::shortDatePattern();
    QString out;
    bool quoted = false;
    for (int i = 0; i < qt.size(); ++i) {
        const QChar c = qt[i];
        if (c == u'\'') {
            if (i + 1 < qt.size() && qt[i + 1] == u'\'') { out += QStringLiteral("\\'"); ++i; continue; }
            quoted = !quoted;
            continue;
        }
        if (quoted) { out += u'\\'; out += c; continue; }
        out += c == u'M' ? QChar(u'm') : c;
    }
    return out;
}

}  // namespace vb
