#include "platform/format/VbConvert.h"

#include "platform/core/VbError.h"
#include "platform/db/StoredDate.h"
#include "platform/format/DecimalText.h"
#include "platform/format/Locale.h"
#include "platform/format/VbFormat.h"

#include <QRegularExpression>
#include <cmath>

namespace vb {

using decimal::DecimalText;
using decimal::Rounding;

// ---------------------------------------------------------------- rounding

namespace {

double roundWith(double value, int places, Rounding mode) {
    if (!std::isfinite(value)) return value;
    DecimalText d = DecimalText::fromDouble(value);
    d.round(places, mode);
    return d.toDouble();
}

}  // namespace

double roundHalfEven(double value, int places) { return roundWith(value, places, Rounding::HalfEven); }
double roundHalfAway(double value, int places) { return roundWith(value, places, Rounding::HalfAwayFromZero); }

// ---------------------------------------------------------------- numbers

namespace {

bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

bool takePrefix(QString& s, const QString& prefix) {
    if (prefix.isEmpty() || !s.startsWith(prefix)) return false;
    s = s.mid(prefix.size()).trimmed();
    return true;
}

bool takeSuffix(QString& s, const QString& suffix) {
    if (suffix.isEmpty() || !s.endsWith(suffix)) return false;
    s.chop(suffix.size());
    s = s.trimmed();
    return true;
}

bool isGroupChar(QChar c, const QString& group) {
    if (group.isEmpty()) return false;
    if (c == group[0]) return true;
    // A blank-like separator (French, Finnish...) is typed as any blank; a typographic
    // apostrophe (Swiss) as the plain one.
    if (group[0].isSpace()) return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
    if (group[0] == QChar(0x2019)) return c == u'\'';
    return false;
}

}  // namespace

namespace {

enum class NumberRead { Ok, NotANumber, BeyondDouble };

NumberRead readNumber(const QString& text, double& out) {
    constexpr NumberRead none = NumberRead::NotANumber;
    QString s = text.trimmed();
    if (s.isEmpty()) return none;

    bool negative = false;
    if (s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.mid(1, s.size() - 2).trimmed();
    }
    const QString cur = Locale::currencySymbol();
    const QString neg = Locale::negativeSign();
    const QString pos = Locale::positiveSign();
    auto takeSign = [&](QString& t) {
        if (takePrefix(t, QStringLiteral("-")) || takePrefix(t, neg) || takePrefix(t, QString(QChar(0x2212))))
            return -1;
        if (takePrefix(t, QStringLiteral("+")) || takePrefix(t, pos)) return 1;
        return 0;
    };
    auto takeCurrency = [&](QString& t) { return takePrefix(t, QStringLiteral("$")) || takePrefix(t, cur); };

    bool sawSign = false, sawCurrency = false;
    for (int round = 0; round < 2; ++round) {
        if (!sawSign) {
            if (int sg = takeSign(s)) {
                if (negative && sg) return none;  // "(-12)"
                negative = sg < 0;
                sawSign = true;
                continue;
            }
        }
        if (!sawCurrency && takeCurrency(s)) sawCurrency = true;
    }
    if (!sawCurrency) {
        if (takeSuffix(s, cur) || takeSuffix(s, QStringLiteral("$"))) sawCurrency = true;
    }
    if (s.isEmpty()) return none;

    const QString dp = Locale::decimalPoint();
    const QString group = Locale::groupSeparator();
    QString intPart, fracPart, expPart;
    int i = 0;
    // Whole part, with its grouping checked: a first group of 1-3 digits, then groups of 3.
    QStringList groups{QString()};
    while (i < s.size()) {
        const QChar c = s[i];
        if (isAsciiDigit(c)) groups.back() += c;
        else if (isGroupChar(c, group) && !(dp.size() == 1 && c == dp[0])) groups.append(QString());
        else break;
        ++i;
    }
    if (groups.size() > 1) {
        if (groups[0].isEmpty() || groups[0].size() > 3) return none;
        for (int g = 1; g < groups.size(); ++g)
            if (groups[g].size() != 3) return none;
    }
    intPart = groups.join(QString());
    if (i < s.size() && s.mid(i, dp.size()) == dp) {
        i += int(dp.size());
        while (i < s.size() && isAsciiDigit(s[i])) fracPart += s[i++];
    }
    if (intPart.isEmpty() && fracPart.isEmpty()) return none;
    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) expPart += s[i++];
        const int start = i;
        while (i < s.size() && isAsciiDigit(s[i])) expPart += s[i++];
        if (i == start) return none;
    }
    if (i != s.size()) return none;

    QString c = (negative ? QStringLiteral("-") : QString()) + (intPart.isEmpty() ? QStringLiteral("0") : intPart);
    if (!fracPart.isEmpty()) c += u'.' + fracPart;
    if (!expPart.isEmpty()) c += u'e' + expPart;
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (ok && std::isfinite(v)) {
        out = v;
        return NumberRead::Ok;
    }
    // A well-formed number too large for a Double (a tiny one that underflows is no number either).
    return (!std::isfinite(v) || std::fabs(v) > 1.0) ? NumberRead::BeyondDouble : none;
}

}  // namespace

std::optional<double> parseNumber(const QString& text) {
    double v = 0;
    if (readNumber(text, v) != NumberRead::Ok) return std::nullopt;
    return v;
}

bool NumberBeyondDouble(const QString& text) {
    double v = 0;
    return readNumber(text, v) == NumberRead::BeyondDouble;
}


bool IsNull(const QVariant& value) { return !value.isValid() || value.isNull(); }

namespace {

bool isNumberType(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float: case QMetaType::Short: case QMetaType::UShort:
    case QMetaType::Long: case QMetaType::ULong: case QMetaType::Char: case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

bool isTextType(const QVariant& v) {
    return v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray || v.typeId() == QMetaType::QChar;
}

}  // namespace

bool IsNumeric(const QVariant& value) {
    if (IsNull(value)) return false;
    if (isNumberType(value) || value.typeId() == QMetaType::Bool) return true;
    if (isTextType(value)) return parseNumber(value.toString()).has_value();
    return false;
}

double CDbl(const QVariant& value) {
    if (IsNull(value)) raise(err::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? -1.0 : 0.0;
    if (isNumberType(value)) return value.toDouble();
    if (isTextType(value))
        if (auto v = parseNumber(value.toString())) return *v;
    raise(err::TypeMismatch);
}

namespace {

double wholeInRange(const QVariant& value, double lo, double hi) {
    const double v = roundHalfEven(CDbl(value), 0);
    if (!(v >= lo && v <= hi)) raise(err::Overflow);
    return v;
}

}  // namespace

int16_t CInt(const QVariant& value) { return int16_t(wholeInRange(value, -32768.0, 32767.0)); }
int32_t CLng(const QVariant& value) { return int32_t(wholeInRange(value, -2147483648.0, 2147483647.0)); }
uint8_t CByte(const QVariant& value) { return uint8_t(wholeInRange(value, 0.0, 255.0)); }

double CCur(const QVariant& value) {
    const double v = roundHalfEven(CDbl(value), 4);
    if (!(std::fabs(v) <= 922337203685477.5807)) raise(err::Overflow);
    return v;
}

// ---------------------------------------------------------------- dates

QDateTime makeDateTime(const QDate& date, const QTime& time) { return QDateTime(date, time, Qt::UTC); }

QDate zeroDate() { return QDate(1899, 12, 30); }

namespace {

int windowYear(int y, int digits) {
    if (digits > 2) return y;
    return y < 30 ? 2000 + y : 1900 + y;
}

// The time at the end of `s` (removed from it): h:mm[:ss] with an optional AM/PM, or h AM/PM.
// Returns false when the text has a malformed time; `found` tells whether there was one.
bool takeTime(QString& s, QTime& time, bool& found) {
    found = false;
    int designator = 0;  // 1 am, 2 pm
    const QStringList ams{Locale::amText(), QStringLiteral("AM"), QStringLiteral("A")};
    const QStringList pms{Locale::pmText(), QStringLiteral("PM"), QStringLiteral("P")};
    auto endsWithWord = [&](const QString& w) {
        if (w.isEmpty() || !s.endsWith(w, Qt::CaseInsensitive)) return false;
        const int at = int(s.size() - w.size());
        return at == 0 || !s[at - 1].isLetter();
    };
    for (const QString& w : ams)
        if (!designator && endsWithWord(w)) { designator = 1; s.chop(w.size()); }
    for (const QString& w : pms)
        if (!designator && endsWithWord(w)) { designator = 2; s.chop(w.size()); }
    s = s.trimmed();

    // The locale's own time separator counts too, unless it is also its date separator.
    const QString tsep = Locale::timeSeparator() == Locale::dateSeparator()
                             ? QStringLiteral(":")
                             : QRegularExpression::escape(Locale::timeSeparator());
    static const QString digits = QStringLiteral(R"((\d{1,2}))");
    const QString sepClass = QStringLiteral("\\s*(?::|%1)\\s*").arg(tsep);
    const QRegularExpression re(QStringLiteral("(?:^|[\\sT,])") + digits + sepClass + digits +
                                QStringLiteral("(?:") + sepClass + digits + QStringLiteral(")?$"));
    int h = -1, mi = 0, se = 0;
    auto m = re.match(s);
    if (m.hasMatch()) {
        h = m.captured(1).toInt();
        mi = m.captured(2).toInt();
        se = m.hasCaptured(3) ? m.captured(3).toInt() : 0;
        s.truncate(m.capturedStart(1));
    } else if (designator) {
        static const QRegularExpression hourOnly(QStringLiteral(R"((?:^|\s)(\d{1,2})$)"));
        auto hm = hourOnly.match(s);
        if (!hm.hasMatch()) return false;
        h = hm.captured(1).toInt();
        s.truncate(hm.capturedStart(1));
    } else {
        return true;
    }
    s = s.trimmed();
    if (s.endsWith(u',') || s.endsWith(u'T')) s.chop(1);
    s = s.trimmed();
    if (designator) {
        if (h < 1 || h > 12) return false;
        if (designator == 1 && h == 12) h = 0;
        if (designator == 2 && h != 12) h += 12;
    }
    if (h > 23 || mi > 59 || se > 59) return false;
    time = QTime(h, mi, se);
    found = true;
    return true;
}

std::optional<QDate> parseDatePart(const QString& s) {
    static const QRegularExpression tokenRe(QStringLiteral(R"(\d+|[^\W\d_]+\.?)"));
    const QString dsep = Locale::dateSeparator();
    QStringList numbers, words;
    int last = 0;
    auto it = tokenRe.globalMatch(s);
    while (it.hasNext()) {
        auto m = it.next();
        const QString between = s.mid(last, m.capturedStart() - last);
        for (QChar c : between)
            if (!(c.isSpace() || c == u'/' || c == u'-' || c == u'.' || c == u',' || dsep.contains(c)))
                return std::nullopt;
        last = int(m.capturedEnd());
        const QString tok = m.captured();
        if (tok[0].isDigit()) numbers << tok;
        else words << tok;
    }
    for (QChar c : s.mid(last))
        if (!(c.isSpace() || c == u'.' || dsep.contains(c))) return std::nullopt;

    int y = 0, mo = 0, d = 0, yDigits = 4;
    const int thisYear = QDate::currentDate().year();
    auto asYear = [&](const QString& t) { yDigits = int(t.size()); return t.toInt(); };
    if (words.size() > 1) return std::nullopt;
    if (words.size() == 1) {
        mo = Locale::monthFromName(words[0]);
        if (!mo) return std::nullopt;
        if (numbers.size() == 1) {
            if (numbers[0].size() > 2) { y = asYear(numbers[0]); d = 1; }
            else { d = numbers[0].toInt(); y = thisYear; }
        } else if (numbers.size() == 2) {
            if (numbers[0].size() > 2) { y = asYear(numbers[0]); d = numbers[1].toInt(); }
            else { d = numbers[0].toInt(); y = asYear(numbers[1]); }
        } else {
            return std::nullopt;
        }
    } else if (numbers.size() == 3) {
        auto order = Locale::dateOrder();
        if (numbers[0].size() > 2) order = Locale::DateOrder::YMD;
        switch (order) {
        case Locale::DateOrder::YMD: y = asYear(numbers[0]); mo = numbers[1].toInt(); d = numbers[2].toInt(); break;
        case Locale::DateOrder::DMY: d = numbers[0].toInt(); mo = numbers[1].toInt(); y = asYear(numbers[2]); break;
        case Locale::DateOrder::MDY: mo = numbers[0].toInt(); d = numbers[1].toInt(); y = asYear(numbers[2]); break;
        }
        if (numbers[1].size() > 2 || (order != Locale::DateOrder::YMD && numbers[0].size() > 2)) return std::nullopt;
    } else if (numbers.size() == 2) {
        if (numbers[1].size() > 2) {  // month and year
            mo = numbers[0].toInt();
            y = asYear(numbers[1]);
            d = 1;
        } else if (numbers[0].size() > 2) {
            y = asYear(numbers[0]);
            mo = numbers[1].toInt();
            d = 1;
        } else {
            y = thisYear;
            if (Locale::dateOrder() == Locale::DateOrder::DMY) { d = numbers[0].toInt(); mo = numbers[1].toInt(); }
            else { mo = numbers[0].toInt(); d = numbers[1].toInt(); }
        }
    } else {
        return std::nullopt;
    }
    if (yDigits == 3 || yDigits > 4) return std::nullopt;
    y = windowYear(y, yDigits);
    const QDate date(y, mo, d);
    if (!date.isValid()) return std::nullopt;
    return date;
}

std::optional<QDateTime> parseGeneral(QString s) {
    QTime time(0, 0);
    bool hasTime = false;
    if (!takeTime(s, time, hasTime)) return std::nullopt;
    if (s.isEmpty()) {
        if (!hasTime) return std::nullopt;
        return makeDateTime(zeroDate(), time);
    }
    auto d = parseDatePart(s);
    if (!d) return std::nullopt;
    return makeDateTime(*d, time);
}

// The exact forms the general date display writes. A reading counts only when writing it again
// gives the same text, which keeps a Finnish "5.3.24" (a date) from being read as the time 5.03.24.
std::optional<QDateTime> parseLocalePatterns(const QString& s) {
    const QLocale& l = Locale::current();
    const QString dp = Locale::shortDatePattern();
    for (const QString& p : {dp + u' ' + Locale::timePattern(), dp + u' ' + Locale::shortTimePattern(), dp}) {
        const QDateTime dt = l.toDateTime(s, p);
        if (dt.isValid() && dt.date().year() >= 100 && l.toString(dt, p) == s) return makeDateTime(dt.date(), dt.time());
    }
    for (const QString& p : {Locale::timePattern(), Locale::shortTimePattern()}) {
        const QTime t = l.toTime(s, p);
        if (t.isValid() && l.toString(t, p) == s) return makeDateTime(zeroDate(), t);
    }
    return std::nullopt;
}

}  // namespace

std::optional<QDateTime> parseDate(const QString& text, const QString& vbPattern) {
    const QString s = text.trimmed();
    if (s.isEmpty()) return std::nullopt;
    if (!vbPattern.isEmpty())
        if (auto v = parseDateWithPattern(s, vbPattern)) return v;
    if (auto v = db::parseStoredDate(s)) return v;
    if (auto v = parseLocalePatterns(s)) return v;
    return parseGeneral(s);
}

std::optional<QTime> parseTime(const QString& text) {
    QString s = text.trimmed();
    QTime t;
    bool found = false;
    if (!takeTime(s, t, found) || !found || !s.isEmpty()) return std::nullopt;
    return t;
}

bool IsDate(const QVariant& value, const QString& vbPattern) {
    if (IsNull(value)) return false;
    switch (value.typeId()) {
    case QMetaType::QDate: return value.toDate().isValid();
    case QMetaType::QDateTime: return value.toDateTime().isValid();
    case QMetaType::QTime: return value.toTime().isValid();
    default: break;
    }
    if (isTextType(value)) return parseDate(value.toString(), vbPattern).has_value();
    return false;
}

QDateTime CDate(const QVariant& value) {
    if (IsNull(value)) raise(err::InvalidUseOfNull, QStringLiteral("Invalid use of Null"));
    if (auto v = storedDate(value)) return *v;
    if (value.typeId() == QMetaType::QTime && value.toTime().isValid())
        return makeDateTime(zeroDate(), value.toTime());
    if (isTextType(value))
        if (auto v = parseDate(value.toString())) return *v;
    if (isNumberType(value)) return fromOleDate(value.toDouble());
    raise(err::TypeMismatch);
}

std::optional<QDateTime> storedDate(const QVariant& value) {
    if (IsNull(value)) return std::nullopt;
    if (value.typeId() == QMetaType::QDateTime) {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid()) return std::nullopt;
        return makeDateTime(dt.date(), dt.time());
    }
    if (value.typeId() == QMetaType::QDate) {
        if (!value.toDate().isValid()) return std::nullopt;
        return makeDateTime(value.toDate());
    }
    if (isTextType(value)) return db::parseStoredDate(value.toString().trimmed());
    return std::nullopt;
}

double toOleDate(const QDateTime& value) {
    const qint64 days = zeroDate().daysTo(value.date());
    const double frac = value.time().msecsSinceStartOfDay() / 86400000.0;
    return days >= 0 ? double(days) + frac : double(days) - frac;
}

QDateTime fromOleDate(double serial) {
    const double whole = std::trunc(serial);
    const double frac = std::fabs(serial - whole);
    const int msecs = int(std::llround(frac * 86400000.0 / 1000.0) * 1000);  // to the second
    QDate d = zeroDate().addDays(qint64(whole));
    if (msecs >= 86400000) return makeDateTime(d.addDays(1));
    return makeDateTime(d, QTime::fromMSecsSinceStartOfDay(msecs));
}

}  // namespace vb
