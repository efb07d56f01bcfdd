#include "platform/format/Locale.h"

namespace vb {

namespace {

// The first separator character of a Qt date/time pattern (outside quotes), or fallback.
QString firstSeparator(const QString& pattern, const QString& fallback) {
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == u'\'') { quoted = !quoted; continue; }
        if (quoted || c.isLetter()) continue;
        if (c.isSpace()) return fallback;
        return QString(c);
    }
    return fallback;
}

QString stripZone(QString pattern) {
    // Qt's long time carries the zone ("t"); a stored wall-clock time has none.
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'\'') { quoted = !quoted; continue; }
        if (!quoted && pattern[i] == u't') {
            pattern.remove(i, 1);
            --i;
        }
    }
    return pattern.trimmed();
}

thread_local const QLocale* pinned = nullptr;

}  // namespace

const QLocale& Locale::current() {
    if (pinned) return *pinned;
    thread_local QLocale present;
    present = QLocale();
    return present;
}

Locale::Pin::Pin() : previous_(pinned) { pinned = &locale_; }
Locale::Pin::~Pin() { pinned = previous_; }

QString Locale::decimalPoint() { return current().decimalPoint(); }
QString Locale::groupSeparator() { return current().groupSeparator(); }
QString Locale::negativeSign() { return current().negativeSign(); }
QString Locale::positiveSign() { return current().positiveSign(); }
QString Locale::currencySymbol() { return current().currencySymbol(); }

QString Locale::amText() {
    QString t = current().amText();
    return t.isEmpty() ? QStringLiteral("AM") : t;
}

QString Locale::pmText() {
    QString t = current().pmText();
    return t.isEmpty() ? QStringLiteral("PM") : t;
}

QString Locale::dateSeparator() { return firstSeparator(current().dateFormat(QLocale::ShortFormat), "/"); }
QString Locale::timeSeparator() { return firstSeparator(current().timeFormat(QLocale::ShortFormat), ":"); }

Locale::DateOrder Locale::dateOrder() {
    const QString p = current().dateFormat(QLocale::ShortFormat);
    int d = -1, m = -1, y = -1;
    bool quoted = false;
    for (int i = 0; i < p.size(); ++i) {
        QChar c = p[i];
        if (c == u'\'') { quoted = !quoted; continue; }
        if (quoted) continue;
        if (c == u'd' && d < 0) d = i;
        if (c == u'M' && m < 0) m = i;
        if (c == u'y' && y < 0) y = i;
    }
    if (y >= 0 && (m < 0 || y < m) && (d < 0 || y < d)) return DateOrder::YMD;
    if (d >= 0 && m >= 0 && d < m) return DateOrder::DMY;
    return DateOrder::MDY;
}

QString Locale::shortDatePattern() {
    QString p = current().dateFormat(QLocale::ShortFormat);
    // Widen every run of 'y' (outside quotes) to four.
    QString out;
    bool quoted = false;
    for (int i = 0; i < p.size();) {
        QChar c = p[i];
        if (c == u'\'') { quoted = !quoted; out += c; ++i; continue; }
        if (!quoted && c == u'y') {
            while (i < p.size() && p[i] == u'y') ++i;
            out += QStringLiteral("yyyy");
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QString Locale::timePattern() {
    QString p = stripZone(current().timeFormat(QLocale::LongFormat));
    if (!p.contains(u's')) p = shortTimePattern() + QStringLiteral(":ss");
    return p;
}

QString Locale::shortTimePattern() { return stripZone(current().timeFormat(QLocale::ShortFormat)); }

int Locale::monthFromName(const QString& word) {
    QString w = word;
    if (w.endsWith(u'.')) w.chop(1);
    if (w.isEmpty()) return 0;
    const QLocale l = current();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int m = 1; m <= 12; ++m) {
        for (const QLocale& loc : {l, english}) {
            for (auto type : {QLocale::LongFormat, QLocale::ShortFormat}) {
                QString n = loc.monthName(m, type);
                if (n.endsWith(u'.')) n.chop(1);
                if (!n.isEmpty() && n.compare(w, Qt::CaseInsensitive) == 0) return m;
            }
        }
    }
    return 0;
}

}  // namespace vb
