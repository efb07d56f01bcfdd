#pragma once
// The form dates take in the file, read and written here only.
//
// Written: "YYYY-MM-DD HH:MM:SS"; a time alone sits on 1899-12-30, the zero day of the program's
// dates. Read: that form and the others a file can hold: the date alone, no seconds, 'T' between
// date and time, one-digit month, day or hour, and a fraction of a second (kept to the
// millisecond). Dates are wall-clock values without a zone, held in UTC so that no daylight-saving
// gap moves them.
#include <QAnyStringView>
#include <QDateTime>
#include <optional>

namespace db {

QString toStoredDate(const QDateTime& value);

// The whole text must be one of the stored forms (no blanks around it) and a real date and time.
std::optional<QDateTime> parseStoredDate(QAnyStringView text);

}  // namespace db
