#pragma once
// VB's Format() for the patterns this program uses, under the regional settings of vb::Locale.
//
// Numeric patterns: "0" a digit always shown, "#" a digit shown only when significant, "." the
// locale's decimal separator, "," between digit placeholders the locale's digit grouping (right
// before the decimal point: divide by 1000), "%" percent, "E+0"/"E-0" exponent; anything else
// ("$", blanks, "-") is literal, as are "\x" and "quoted text". Up to four sections separated by
// ";" (positive; negative; zero; Null). The leftmost "0" before the point fixes how many whole
// digits are always shown ("0###" shows 3.5 as "0004"); halves round away from zero on the
// decimal digits, as VB's Format does.
//
// Date patterns: d dd ddd dddd ddddd dddddd, m mm mmm mmmm (minutes right after h/hh), yy yyyy,
// y (day of year), q, w, ww, h hh, n nn, s ss, ttttt, c, AM/PM am/pm A/P a/p AMPM; "/" and ":"
// are the locale's date and time separators.
//
// Named formats: General Date, Long Date, Medium Date, Short Date, Long Time, Medium Time,
// Short Time, General Number, Currency, Fixed, Standard, Percent, Scientific, Yes/No,
// True/False, On/Off. "Short Date" and the general date show four-digit years.
//
// Values: numbers; True as -1 and False as 0 under a numeric pattern; QDate/QDateTime/QTime;
// text that reads as a number or a date is formatted as one, other text is returned unchanged;
// Null gives "" (or the fourth section).
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

namespace vb {

QString Format(const QVariant& value, const QString& pattern = {});

// VB's general date: the locale's short date (four-digit year), then the time with seconds when
// it is not midnight; a time alone when the date is VB's day zero.
QString generalDate(const QDateTime& value);

// Reads text back through a date pattern of the kind Format writes ("mm/dd/yyyy hh:nn AM/PM").
std::optional<QDateTime> parseDateWithPattern(const QString& text, const QString& vbPattern);

// True when the pattern is a date/time pattern (named or made of date tokens).
bool isDatePattern(const QString& pattern);

}  // namespace vb
