#include "platform/format/VbFormat.h"

#include "platform/format/DecimalText.h"
#include "platform/format/Locale.h"
#include "platform/format/VbConvert.h"

#include <vector>

namespace vb {

using decimal::DecimalText;
using decimal::Rounding;

namespace {

// ---------------------------------------------------------------- sections

QStringList splitSections(const QString& pattern) {
    QStringList out{QString()};
    bool quoted = false;
    for (int i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') quoted = !quoted;
        if (!quoted && c == u'\\' && i + 1 < pattern.size()) {
            out.back() += c;
            out.back() += pattern[++i];
            continue;
        }
        if (!quoted && c == u';') out.append(QString());
        else out.back() += c;
    }
    return out;
}

// ---------------------------------------------------------------- numbers

struct NumElem {
    enum Kind { Lit, Zero, Hash, Point, Exp } kind;
    QString text;      // literal text; for Exp the "E"/"e"
    bool expPlus = false;
    int expDigits = 0;
};

struct NumPattern {
    std::vector<NumElem> elems;
    bool grouping = false;
    int thousandScale = 0;
    bool percent = false;
    int intCount = 0, minInt = 0, maxFrac = 0, minFrac = 0;
    bool hasExp = false;
};

NumPattern parseNumPattern(const QString& sec) {
    NumPattern p;
    auto addLit = [&](const QString& t) {
        if (!p.elems.empty() && p.elems.back().kind == NumElem::Lit) p.elems.back().text += t;
        else p.elems.push_back({NumElem::Lit, t});
    };
    bool seenPoint = false;
    auto isDigitPh = [](QChar c) { return c == u'0' || c == u'#' || c == u'?'; };
    for (int i = 0; i < sec.size(); ++i) {
        const QChar c = sec[i];
        if (c == u'"') {
            const int end = sec.indexOf(u'"', i + 1);
            addLit(sec.mid(i + 1, (end < 0 ? sec.size() : end) - i - 1));
            i = end < 0 ? int(sec.size()) : end;
        } else if (c == u'\\' && i + 1 < sec.size()) {
            addLit(QString(sec[++i]));
        } else if (c == u'0') {
            p.elems.push_back({NumElem::Zero, {}});
        } else if (c == u'#' || c == u'?') {
            p.elems.push_back({NumElem::Hash, {}});
        } else if (c == u'.' && !seenPoint && !p.hasExp) {
            seenPoint = true;
            p.elems.push_back({NumElem::Point, {}});
        } else if (c == u',') {
            const bool afterDigit = !p.elems.empty() && (p.elems.back().kind == NumElem::Zero || p.elems.back().kind == NumElem::Hash);
            int j = i + 1;
            while (j < sec.size() && sec[j] == u',') ++j;
            const bool beforeDigit = j < sec.size() && isDigitPh(sec[j]);
            if (afterDigit && beforeDigit && !seenPoint) p.grouping = true;
            else if (afterDigit && !seenPoint) p.thousandScale += j - i;
            else if (!afterDigit && !beforeDigit) addLit(QString(sec.mid(i, j - i)));
            i = j - 1;
        } else if (c == u'%') {
            p.percent = true;
            addLit(QStringLiteral("%"));
        } else if ((c == u'E' || c == u'e') && i + 2 < sec.size() && (sec[i + 1] == u'+' || sec[i + 1] == u'-') &&
                   isDigitPh(sec[i + 2]) && !p.hasExp) {
            NumElem e{NumElem::Exp, QString(c)};
            e.expPlus = sec[i + 1] == u'+';
            int j = i + 2;
            while (j < sec.size() && isDigitPh(sec[j])) {
                if (sec[j] == u'0') ++e.expDigits;
                ++j;
            }
            p.hasExp = true;
            p.elems.push_back(e);
            i = j - 1;
        } else {
            addLit(QString(c));
        }
    }
    bool afterPoint = false;
    int leftmostZero = -1, intIdx = 0, fracIdx = 0;
    for (const NumElem& e : p.elems) {
        if (e.kind == NumElem::Point || e.kind == NumElem::Exp) afterPoint = true;
        if (e.kind == NumElem::Exp) break;
        if (e.kind != NumElem::Zero && e.kind != NumElem::Hash) continue;
        if (!afterPoint) {
            if (e.kind == NumElem::Zero && leftmostZero < 0) leftmostZero = intIdx;
            ++intIdx;
        } else {
            ++fracIdx;
            if (e.kind == NumElem::Zero) p.minFrac = fracIdx;
        }
    }
    p.intCount = intIdx;
    p.minInt = leftmostZero < 0 ? 0 : intIdx - leftmostZero;
    p.maxFrac = fracIdx;
    return p;
}

QString formatNumberSection(double value, const QString& sec, bool withSign) {
    const NumPattern p = parseNumPattern(sec);
    DecimalText d = DecimalText::fromDouble(value);
    const bool negative = value < 0;
    d.negative = false;
    if (!d.isZero()) d.pointPos += (p.percent ? 2 : 0) - 3 * p.thousandScale;

    int exponent = 0;
    if (p.hasExp && !d.isZero()) {
        const int k = p.intCount;
        exponent = d.pointPos - k;
        d.pointPos = k;
        d.round(p.maxFrac, Rounding::HalfAwayFromZero);
        if (d.pointPos > k && (k > 0 || d.pointPos > 0)) {  // 9.99 -> 10.0: one more power of ten
            d.pointPos -= 1;
            exponent += 1;
        }
    } else {
        d.round(p.maxFrac, Rounding::HalfAwayFromZero);
    }

    QString intDigits = d.integerDigits();
    if (intDigits == u"0") intDigits.clear();
    if (intDigits.size() < p.minInt) intDigits.prepend(QString(p.minInt - intDigits.size(), u'0'));
    QString frac = d.fractionDigits(p.maxFrac);
    while (frac.size() > p.minFrac && frac.endsWith(u'0')) frac.chop(1);

    const QString group = Locale::groupSeparator();
    const int L = int(intDigits.size());
    QString out;
    auto emitIntDigit = [&](int idx) {
        out += intDigits[idx];
        const int right = L - 1 - idx;
        if (p.grouping && right > 0 && right % 3 == 0) out += group;
    };
    int intSeen = 0, fracSeen = 0;
    bool afterPoint = false;
    for (const NumElem& e : p.elems) {
        switch (e.kind) {
        case NumElem::Lit: out += e.text; break;
        case NumElem::Zero:
        case NumElem::Hash:
            if (!afterPoint) {
                if (intSeen == 0)
                    for (int i = 0; i < L - p.intCount; ++i) emitIntDigit(i);  // digits beyond the placeholders
                const int idx = L - p.intCount + intSeen;
                if (idx >= 0) emitIntDigit(idx);
                ++intSeen;
            } else {
                if (fracSeen < frac.size()) out += frac[fracSeen];
                ++fracSeen;
            }
            break;
        case NumElem::Point:
            if (p.intCount == 0) out += intDigits;
            out += Locale::decimalPoint();
            afterPoint = true;
            break;
        case NumElem::Exp: {
            if (p.intCount == 0 && !afterPoint) out += intDigits;
            afterPoint = true;
            out += e.text;
            if (exponent < 0) out += u'-';
            else if (e.expPlus) out += u'+';
            QString ed = QString::number(std::abs(exponent));
            if (ed.size() < e.expDigits) ed.prepend(QString(e.expDigits - ed.size(), u'0'));
            out += ed;
            break;
        }
        }
    }
    if (withSign && negative && !d.isZero()) out.prepend(u'-');
    return out;
}

QString formatNumber(double value, const QString& pattern) {
    const QStringList sections = splitSections(pattern);
    if (sections.size() >= 3 && value == 0 && !sections[2].isEmpty()) return formatNumberSection(0, sections[2], false);
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return formatNumberSection(-value, sections[1], false);
    return formatNumberSection(value, sections[0], true);
}

QString generalNumber(double value) {
    if (!std::isfinite(value)) return QString::number(value);
    DecimalText d = DecimalText::fromDouble(value);
    if (d.isZero()) return QStringLiteral("0");
    const QString sign = d.negative ? QStringLiteral("-") : QString();
    d.negative = false;
    if (d.pointPos > 15 || d.pointPos < -3) {
        const int exp = d.pointPos - 1;
        QString m = d.digits.left(1);
        if (d.digits.size() > 1) m += Locale::decimalPoint() + d.digits.mid(1);
        QString e = QString::number(std::abs(exp));
        if (e.size() < 2) e.prepend(u'0');
        return sign + m + u'E' + (exp < 0 ? u'-' : u'+') + e;
    }
    QString s = sign + d.integerDigits();
    const int frac = int(d.digits.size()) - d.pointPos;
    if (frac > 0) s += Locale::decimalPoint() + d.fractionDigits(frac);
    return s;
}

// ---------------------------------------------------------------- dates

enum class DT {
    Lit, Day1, Day2, DayAbbr, DayName, ShortDate, LongDate, Weekday, Week, Month1, Month2, MonthAbbr,
    MonthName, Quarter, DayOfYear, Year2, Year4, Hour1, Hour2, Min1, Min2, Sec1, Sec2, LongTime, General,
    AmPm, DateSep, TimeSep
};

struct DTok {
    DT kind;
    QString text;  // literal text, or the AM/PM spelling of the pattern
};

bool isHour(DT k) { return k == DT::Hour1 || k == DT::Hour2; }
bool isTimeKind(DT k) {
    return isHour(k) || k == DT::Min1 || k == DT::Min2 || k == DT::Sec1 || k == DT::Sec2 || k == DT::AmPm ||
           k == DT::TimeSep || k == DT::LongTime;
}

std::vector<DTok> tokenizeDate(const QString& pat) {
    std::vector<DTok> toks;
    auto addLit = [&](const QString& t) {
        if (!toks.empty() && toks.back().kind == DT::Lit) toks.back().text += t;
        else toks.push_back({DT::Lit, t});
    };
    auto run = [&](int i) {
        int j = i;
        while (j < pat.size() && pat[j].toLower() == pat[i].toLower()) ++j;
        return j - i;
    };
    auto lastNonLit = [&]() -> const DTok* {
        for (auto it = toks.rbegin(); it != toks.rend(); ++it)
            if (it->kind != DT::Lit && it->kind != DT::TimeSep) return &*it;
        return nullptr;
    };
    for (int i = 0; i < pat.size();) {
        const QChar c = pat[i];
        const QChar lc = c.toLower();
        if (c == u'"') {
            const int end = pat.indexOf(u'"', i + 1);
            addLit(pat.mid(i + 1, (end < 0 ? pat.size() : end) - i - 1));
            i = end < 0 ? int(pat.size()) : end + 1;
            continue;
        }
        if (c == u'\\' && i + 1 < pat.size()) {
            addLit(QString(pat[i + 1]));
            i += 2;
            continue;
        }
        bool matched = false;
        for (const char* ap : {"AM/PM", "A/P", "AMPM"}) {
            const QString a = QString::fromLatin1(ap);
            if (pat.mid(i, a.size()).compare(a, Qt::CaseInsensitive) == 0) {
                toks.push_back({DT::AmPm, pat.mid(i, a.size())});
                i += int(a.size());
                matched = true;
                break;
            }
        }
        if (matched) continue;
        const int n = run(i);
        if (lc == u'd') {
            static const DT kinds[] = {DT::Day1, DT::Day2, DT::DayAbbr, DT::DayName, DT::ShortDate, DT::LongDate};
            toks.push_back({kinds[std::min(n, 6) - 1], {}});
        } else if (lc == u'm') {
            const DTok* prev = lastNonLit();
            bool minute = n <= 2 && prev && isHour(prev->kind);
            if (n <= 2 && !minute) {  // "mm:ss": minutes when seconds follow
                int j = i + n;
                while (j < pat.size() && (pat[j] == u':' || pat[j].isSpace())) ++j;
                minute = j > i + n && j < pat.size() && pat[j].toLower() == u's';
            }
            if (minute) toks.push_back({n == 1 ? DT::Min1 : DT::Min2, {}});
            else {
                static const DT kinds[] = {DT::Month1, DT::Month2, DT::MonthAbbr, DT::MonthName};
                toks.push_back({kinds[std::min(n, 4) - 1], {}});
            }
        } else if (lc == u'y') {
            toks.push_back({n == 1 ? DT::DayOfYear : (n <= 3 ? DT::Year2 : DT::Year4), {}});
        } else if (lc == u'h') {
            toks.push_back({n == 1 ? DT::Hour1 : DT::Hour2, {}});
        } else if (lc == u'n') {
            toks.push_back({n == 1 ? DT::Min1 : DT::Min2, {}});
        } else if (lc == u's') {
            toks.push_back({n == 1 ? DT::Sec1 : DT::Sec2, {}});
        } else if (lc == u'w') {
            toks.push_back({n == 1 ? DT::Weekday : DT::Week, {}});
        } else if (lc == u'q') {
            toks.push_back({DT::Quarter, {}});
        } else if (lc == u'c' && n == 1) {
            toks.push_back({DT::General, {}});
        } else if (lc == u't' && n == 5) {
            toks.push_back({DT::LongTime, {}});
        } else if (c == u'/') {
            toks.push_back({DT::DateSep, {}});
            i += 1;
            continue;
        } else if (c == u':') {
            toks.push_back({DT::TimeSep, {}});
            i += 1;
            continue;
        } else {
            addLit(pat.mid(i, n));
        }
        i += n;
    }
    return toks;
}

QString two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0')); }

QString formatDate(const QDateTime& dt, const QString& pattern) {
    const std::vector<DTok> toks = tokenizeDate(pattern);
    bool twelve = false;
    for (const DTok& t : toks)
        if (t.kind == DT::AmPm) twelve = true;
    const QLocale& l = Locale::current();
    const QDate d = dt.date();
    const QTime t = dt.time();
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    const int hour = twelve ? h12 : t.hour();
    const bool pm = t.hour() >= 12;
    QString out;
    for (const DTok& tok : toks) {
        switch (tok.kind) {
        case DT::Lit: out += tok.text; break;
        case DT::Day1: out += QString::number(d.day()); break;
        case DT::Day2: out += two(d.day()); break;
        case DT::DayAbbr: out += l.dayName(d.dayOfWeek(), QLocale::ShortFormat); break;
        case DT::DayName: out += l.dayName(d.dayOfWeek(), QLocale::LongFormat); break;
        case DT::ShortDate: out += l.toString(d, Locale::shortDatePattern()); break;
        case DT::LongDate: out += l.toString(d, QLocale::LongFormat); break;
        case DT::Weekday: out += QString::number(d.dayOfWeek() % 7 + 1); break;
        case DT::Week: {
            const int jan1 = QDate(d.year(), 1, 1).dayOfWeek() % 7;
            out += QString::number((d.dayOfYear() - 1 + jan1) / 7 + 1);
            break;
        }
        case DT::Month1: out += QString::number(d.month()); break;
        case DT::Month2: out += two(d.month()); break;
        case DT::MonthAbbr: out += l.monthName(d.month(), QLocale::ShortFormat); break;
        case DT::MonthName: out += l.monthName(d.month(), QLocale::LongFormat); break;
        case DT::Quarter: out += QString::number((d.month() - 1) / 3 + 1); break;
        case DT::DayOfYear: out += QString::number(d.dayOfYear()); break;
        case DT::Year2: out += two(d.year() % 100); break;
        case DT::Year4: out += QString::number(d.year()); break;
        case DT::Hour1: out += QString::number(hour); break;
        case DT::Hour2: out += two(hour); break;
        case DT::Min1: out += QString::number(t.minute()); break;
        case DT::Min2: out += two(t.minute()); break;
        case DT::Sec1: out += QString::number(t.second()); break;
        case DT::Sec2: out += two(t.second()); break;
        case DT::LongTime: out += l.toString(t, Locale::timePattern()); break;
        case DT::General: out += generalDate(dt); break;
        case DT::AmPm: {
            const QString& s = tok.text;
            if (s.compare(u"AMPM", Qt::CaseInsensitive) == 0) out += pm ? Locale::pmText() : Locale::amText();
            else if (s.size() == 3) out += pm ? s[2] : s[0];     // A/P, a/p
            else out += pm ? s.mid(3, 2) : s.left(2);            // AM/PM, am/pm
            break;
        }
        case DT::DateSep: out += Locale::dateSeparator(); break;
        case DT::TimeSep: out += Locale::timeSeparator(); break;
        }
    }
    return out;
}

const QStringList& namedNumberFormats() {
    static const QStringList n{"general number", "currency", "fixed", "standard", "percent",
                               "scientific", "yes/no", "true/false", "on/off"};
    return n;
}

const QStringList& namedDateFormats() {
    static const QStringList n{"general date", "long date", "medium date", "short date",
                               "long time", "medium time", "short time"};
    return n;
}

QString formatNamedDate(const QDateTime& dt, const QString& name) {
    const QLocale& l = Locale::current();
    if (name == u"general date") return generalDate(dt);
    if (name == u"long date") return l.toString(dt.date(), QLocale::LongFormat);
    if (name == u"medium date") return formatDate(dt, QStringLiteral("dd-mmm-yyyy"));
    if (name == u"short date") return l.toString(dt.date(), Locale::shortDatePattern());
    if (name == u"long time") return l.toString(dt.time(), Locale::timePattern());
    if (name == u"medium time") return formatDate(dt, QStringLiteral("hh:nn AMPM"));
    return formatDate(dt, QStringLiteral("hh:nn"));  // short time, 24-hour as VB's
}

// A value read for formatting: a number, a date, or text left alone.
struct Classified {
    enum { None, Number, Date, Text } kind = None;
    double number = 0;
    QDateTime date;
    QString text;
};

Classified classify(const QVariant& v) {
    Classified c;
    if (IsNull(v)) return c;
    switch (v.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        if (auto d = storedDate(v)) { c.kind = Classified::Date; c.date = *d; }
        return c;
    case QMetaType::QTime:
        c.kind = Classified::Date;
        c.date = makeDateTime(zeroDate(), v.toTime());
        return c;
    case QMetaType::Bool:
        c.kind = Classified::Number;
        c.number = v.toBool() ? -1 : 0;
        return c;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        c.text = v.toString();
        if (auto n = parseNumber(c.text)) { c.kind = Classified::Number; c.number = *n; }
        else if (auto d = parseDate(c.text)) { c.kind = Classified::Date; c.date = *d; }
        else c.kind = Classified::Text;
        return c;
    }
    default:
        if (IsNumeric(v)) { c.kind = Classified::Number; c.number = v.toDouble(); }
        else { c.kind = Classified::Text; c.text = v.toString(); }
        return c;
    }
}

}  // namespace

QString generalDate(const QDateTime& dt) {
    const QLocale& l = Locale::current();
    const bool midnight = dt.time() == QTime(0, 0);
    if (dt.date() == zeroDate() && !midnight) return l.toString(dt.time(), Locale::timePattern());
    QString s = l.toString(dt.date(), Locale::shortDatePattern());
    if (!midnight) s += u' ' + l.toString(dt.time(), Locale::timePattern());
    return s;
}

bool isDatePattern(const QString& pattern) {
    const QString named = pattern.trimmed().toLower();
    if (namedDateFormats().contains(named)) return true;
    if (namedNumberFormats().contains(named)) return false;
    bool date = false;
    for (const DTok& t : tokenizeDate(splitSections(pattern).value(0))) {
        if (t.kind == DT::Lit) {
            if (t.text.contains(u'0') || t.text.contains(u'#')) return false;
        } else if (t.kind != DT::DateSep && t.kind != DT::TimeSep) {
            date = true;
        }
    }
    return date;
}

QString Format(const QVariant& value, const QString& pattern) {
    const QString named = pattern.trimmed().toLower();
    const Classified c = classify(value);
    if (c.kind == Classified::None) {
        const QStringList sections = splitSections(pattern);
        return sections.size() >= 4 ? formatNumberSection(0, sections[3], false) : QString();
    }
    if (c.kind == Classified::Text) return c.text;
    const bool boolValue = value.typeId() == QMetaType::Bool;

    if (named.isEmpty()) {
        if (boolValue) return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        if (c.kind == Classified::Date) return generalDate(c.date);
        return generalNumber(c.number);
    }
    if (isDatePattern(pattern)) {
        const QDateTime dt = c.kind == Classified::Date ? c.date : fromOleDate(c.number);
        if (namedDateFormats().contains(named)) return formatNamedDate(dt, named);
        return formatDate(dt, pattern);
    }
    const double n = c.kind == Classified::Date ? toOleDate(c.date) : c.number;
    if (named == u"general number") return generalNumber(n);
    if (named == u"currency") return Locale::current().toCurrencyString(roundHalfAway(n, 2), Locale::currencySymbol(), 2);
    if (named == u"fixed") return formatNumber(n, QStringLiteral("0.00"));
    if (named == u"standard") return formatNumber(n, QStringLiteral("#,##0.00"));
    if (named == u"percent") return formatNumber(n, QStringLiteral("0.00%"));
    if (named == u"scientific") return formatNumber(n, QStringLiteral("0.00E+00"));
    if (named == u"yes/no") return n != 0 ? QStringLiteral("Yes") : QStringLiteral("No");
    if (named == u"true/false") return n != 0 ? QStringLiteral("True") : QStringLiteral("False");
    if (named == u"on/off") return n != 0 ? QStringLiteral("On") : QStringLiteral("Off");
    return formatNumber(n, pattern);
}

// ---------------------------------------------------------------- reading dates back

std::optional<QDateTime> parseDateWithPattern(const QString& text, const QString& vbPattern) {
    const std::vector<DTok> toks = tokenizeDate(vbPattern);
    int y = -1, mo = -1, d = -1, h = -1, mi = 0, se = 0, designator = 0;
    bool anyDate = false;
    int p = 0;
    const QString s = text;
    auto skipSpace = [&] { while (p < s.size() && s[p].isSpace()) ++p; };
    auto readDigits = [&](int maxDigits, int& digits) -> int {
        skipSpace();
        const int start = p;
        while (p < s.size() && p - start < maxDigits && s[p] >= u'0' && s[p] <= u'9') ++p;
        digits = p - start;
        return digits ? s.mid(start, digits).toInt() : -1;
    };
    auto readWord = [&]() {
        skipSpace();
        const int start = p;
        while (p < s.size() && (s[p].isLetter() || s[p] == u'.')) ++p;
        return s.mid(start, p - start);
    };
    size_t i = 0;
    for (; i < toks.size(); ++i) {
        const DTok& t = toks[i];
        skipSpace();
        if (p >= s.size()) break;  // the rest of the pattern may be left out (a time, say)
        int digits = 0;
        switch (t.kind) {
        case DT::Lit:
            for (QChar c : t.text) {
                if (c.isSpace()) { skipSpace(); continue; }
                if (p >= s.size() || s[p].toLower() != c.toLower()) return std::nullopt;
                ++p;
            }
            break;
        case DT::DateSep:
        case DT::TimeSep: {
            const QString own = t.kind == DT::DateSep ? Locale::dateSeparator() : Locale::timeSeparator();
            const QString others = t.kind == DT::DateSep ? QStringLiteral("/-.") : QStringLiteral(":.");
            if (s.mid(p, own.size()) == own) p += int(own.size());
            else if (others.contains(s[p])) ++p;
            else return std::nullopt;
            break;
        }
        case DT::Day1: case DT::Day2: d = readDigits(2, digits); anyDate = true; if (d < 0) return std::nullopt; break;
        case DT::Month1: case DT::Month2: mo = readDigits(2, digits); anyDate = true; if (mo < 0) return std::nullopt; break;
        case DT::MonthAbbr: case DT::MonthName:
            mo = Locale::monthFromName(readWord());
            anyDate = true;
            if (mo <= 0) return std::nullopt;
            break;
        case DT::Year2: case DT::Year4:
            y = readDigits(4, digits);
            anyDate = true;
            if (y < 0 || digits == 3) return std::nullopt;
            if (digits <= 2) y = y < 30 ? 2000 + y : 1900 + y;
            break;
        case DT::Hour1: case DT::Hour2: h = readDigits(2, digits); if (h < 0) return std::nullopt; break;
        case DT::Min1: case DT::Min2: mi = readDigits(2, digits); if (mi < 0) return std::nullopt; break;
        case DT::Sec1: case DT::Sec2: se = readDigits(2, digits); if (se < 0) return std::nullopt; break;
        case DT::DayAbbr: case DT::DayName:
            if (readWord().isEmpty()) return std::nullopt;
            break;
        case DT::AmPm: {
            const QString w = readWord().toLower();
            if (w == Locale::amText().toLower() || w == u"am" || w == u"a") designator = 1;
            else if (w == Locale::pmText().toLower() || w == u"pm" || w == u"p") designator = 2;
            else return std::nullopt;
            break;
        }
        default:
            return std::nullopt;  // whole-form tokens (c, ddddd, ttttt) and counters are read generally
        }
    }
    // Whatever the pattern did not read must be a time of its own, and only after the date.
    for (; i < toks.size(); ++i)
        if (toks[i].kind != DT::Lit && !isTimeKind(toks[i].kind)) return std::nullopt;
    skipSpace();
    if (p < s.size()) {
        if (h >= 0) return std::nullopt;
        auto t = parseTime(s.mid(p));
        if (!t) return std::nullopt;
        h = t->hour();
        mi = t->minute();
        se = t->second();
    } else if (h >= 0) {
        if (designator) {
            if (h < 1 || h > 12) return std::nullopt;
            if (designator == 1 && h == 12) h = 0;
            if (designator == 2 && h != 12) h += 12;
        }
    }
    QDate date = zeroDate();
    if (anyDate) {
        if (mo < 0) return std::nullopt;
        date = QDate(y < 0 ? QDate::currentDate().year() : y, mo, d < 0 ? 1 : d);
    } else if (h < 0) {
        return std::nullopt;
    }
    const QTime time = h < 0 ? QTime(0, 0) : QTime(h, mi, se);
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return makeDateTime(date, time);
}

}  // namespace vb
