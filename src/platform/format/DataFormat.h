#pragma once
// The display-format object of a bound box: it shows the stored value of the box's column and
// reads what the user typed back into the value to store. Types: 0 general, 1 custom (both by
// their format text), 5 Boolean (true, false and null texts).
//
// Stored values are what the data layer hands over: numbers, booleans as 1/0 (or bool), dates as
// ISO text 'YYYY-MM-DD HH:MM:SS' (or QDateTime/QDate). parse() returns the value to store:
// Null for an emptied box, qlonglong for Integer, double for Double/Decimal/Currency (Currency
// rounded to 4 places), QDateTime (a wall-clock value, see VbConvert.h) for Date/Time, bool for
// True/False, the text itself for Text. Text that is no value of the kind raises error 13; an
// Integer beyond 32 bits raises 6.
//
// Round trip: text that is still what display() showed for the current value gives that value
// back unchanged, so showing a value and saving it untouched never alters it (a Double shown with
// three places keeps its other digits). Dates are read by the one rule of UserDates.h, whatever
// the format text, so a typed text means the same date in every box.
#include "platform/format/FieldType.h"

#include <QString>
#include <QVariant>

namespace vb {

QString decimalFormatText(int scale);  // "####." followed by one "0" per place

class DataFormat {
public:
    enum FormatType { General = 0, Custom = 1, Boolean = 5 };

    int Type = General;
    QString Format;
    QString TrueValue = QStringLiteral("True");
    QString FalseValue = QStringLiteral("False");
    QString NullValue;

    DataFormat() = default;
    DataFormat(int type, QString format) : Type(type), Format(std::move(format)) {}

    // The format a bound box of a field of this type gets when the entry view is built.
    static DataFormat forFieldType(const FieldType& type);

    QString display(const QVariant& stored, ValueKind kind) const;
    QVariant parse(const QString& text, ValueKind kind, const QVariant& current = {}) const;
    bool operator==(const DataFormat&) const = default;

private:
    QVariant normalized(const QVariant& stored, ValueKind kind) const;
};

}  // namespace vb
