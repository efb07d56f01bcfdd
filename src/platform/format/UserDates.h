#pragma once
// The one rule for dates the user types or picks. Every date box, the date editor's text and the
// search's date criteria read a text through readUserDate and show a date through
// showUserDate/showUserDateTime, so a text means the same date everywhere and for the whole run:
// the rule depends on the regional settings alone (vb::Locale), never on what was shown or
// picked before.
//
// Read: ISO "yyyy-mm-dd" with an optional time; the locale's short date in the locale's order of
// day, month and year, with any of the separators / - . and a one- to four-digit year (a one- or
// two-digit year falls in 1930..2029); a month name or abbreviation (the locale's or English);
// an optional time "h:mm[:ss]" with an optional AM/PM. Day and month are never swapped: a text
// that is no valid date in the locale's order is no date. A time alone is on 30 December 1899.
//
// Shown: the locale's short date with a four-digit year (userDatePattern), then the time with
// seconds when it is not midnight. The shown text reads back as the same value.
#include <QDateTime>
#include <QString>
#include <optional>

namespace vb {

std::optional<QDateTime> readUserDate(const QString& text);
bool isUserDate(const QString& text);

// The date alone, or with its time when the time is not midnight.
QString showUserDate(const QDateTime& value);
// The date with its time, midnight included (what the date editor writes when a time was picked).
QString showUserDateTime(const QDateTime& value);
// The date alone in the same short form: where a date is shown without its time (a grid column,
// the date pickers, a report's print date).
QString showUserShortDate(const QDate& value);

// The shown date as a Format pattern ("m/d/yyyy", "dd/mm/yyyy", "d mmm yyyy", ...).
QString userDatePattern();

}  // namespace vb
