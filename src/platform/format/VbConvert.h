#pragma once
// The VB runtime's tests and conversions that the entry view's checks and bound boxes need,
// read under the regional settings of vb::Locale.
//
// Numbers: an optional sign (before or after a currency symbol), digits with the locale's digit
// grouping (groups of three), the locale's decimal separator, an exponent, a leading "$" or the
// locale's currency symbol before or after the number, parentheses for a negative amount,
// surrounding blanks. Hex/octal (&H, &O) forms are not numbers here.
//
// Dates: wall-clock values without a zone, held as QDateTime in UTC so that no daylight-saving
// gap can move them. Text is read in the locale's order of day, month and year (never swapped),
// as ISO "yyyy-MM-dd[ HH:mm[:ss]]", with month names, with an optional time and AM/PM; a one- or
// two-digit year falls in 1930..2029. A date with no time is at midnight; a time alone is on
// 30 December 1899, VB's day zero.
#include "platform/core/VbError.h"
#include "platform/db/StoredDate.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <optional>

namespace vb {

// Round to `places` decimal places; halves go to the even neighbour (banker's rounding, as
// CInt/CLng/CCur do) or away from zero (as Format does). Negative places round to tens etc.
double roundHalfEven(double value, int places = 0);
double roundHalfAway(double value, int places = 0);

// Text to number under the locale; nullopt when it is not a number (or overflows a Double).
std::optional<double> parseNumber(const QString& text);
// Text written as a number whose value lies beyond a Double ("1e400"): no number for parseNumber,
// but out of range rather than mistyped.
bool NumberBeyondDouble(const QString& text);

bool IsNumeric(const QVariant& value);
bool IsNull(const QVariant& value);

// Conversions. Null raises 94, text that is not a number (the empty text too) raises 13, a value
// outside the type's range raises 6. True converts to -1 and False to 0, as in VB.
double CDbl(const QVariant& value);
int16_t CInt(const QVariant& value);
int32_t CLng(const QVariant& value);
uint8_t CByte(const QVariant& value);
double CCur(const QVariant& value);  // rounded to 4 places, range of a 64-bit scaled integer

// Dates.
QDateTime makeDateTime(const QDate& date, const QTime& time = QTime(0, 0));
QDate zeroDate();  // 30 December 1899
// Reads text as a date/time; `vbPattern` (a VB Format pattern such as "mm/dd/yyyy") is tried
// first when given, then the locale's forms, ISO, and the general reading above.
std::optional<QDateTime> parseDate(const QString& text, const QString& vbPattern = {});
bool IsDate(const QVariant& value, const QString& vbPattern = {});
// A time of day alone: h:mm[:ss] with an optional AM/PM (or the locale's designators), or h AM/PM.
std::optional<QTime> parseTime(const QString& text);
QDateTime CDate(const QVariant& value);  // 94 on Null, 13 when it is no date

// Stored form of a date: the data layer's (db::toStoredDate, db::parseStoredDate). storedDate
// accepts a text in one of the stored forms (blanks around it ignored), a QDateTime or a QDate;
// nullopt otherwise.
using db::toStoredDate;
std::optional<QDateTime> storedDate(const QVariant& value);

// VB's date serial (days since 30 December 1899, time as the fraction).
double toOleDate(const QDateTime& value);
QDateTime fromOleDate(double serial);

}  // namespace vb
