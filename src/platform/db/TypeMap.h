#pragma once
// Column types as stored: the declared type a column is created with, the ADO type read back from
// a declared type, and the conversions of values between the program and the file.
#include "platform/db/Types.h"

#include <QString>
#include <QVariant>

namespace db {

// A column's type as the layer sees it.
struct ColumnType {
    AdoType type = adEmpty;
    qint64 definedSize = 0;   // text: the maximum length in characters (0: not limited)
    int precision = 0;        // numeric: total digits
    int scale = 0;            // numeric: digits after the point
};

// The ADO type of a declared type text ("VARCHAR(100)", "NUMERIC(10,2)", "LONGTEXT", ...). The
// first word (upper-cased) decides; an unknown or empty type gives adEmpty.
ColumnType typeOfDeclared(const QString& declared);

// The declared type a column of this type is created with (without constraints); empty when the
// type is one the catalogue cannot create.
QString declaredTypeOf(const ColumnType& t);

// The type of a value without a declared type (an expression column), by its storage class.
ColumnType typeOfValue(const QVariant& stored);

// A stored value as the program reads it: booleans as bool, dates as QDateTime, integers as int,
// numeric/currency/double as double, text as QString, NULL as a null QVariant.
QVariant fromStored(const QVariant& stored, AdoType type);

// A value given by the program, converted for storing in a column of this type. Returns false
// (and the reason) when the column cannot take it: a text that is not a number for a number
// column, a number out of the column's range, a text longer than its size, a date that is not one
// (a date text must be in a stored form, StoredDate.h).
// An empty text stores NULL in columns that are not text; a null stays NULL.
bool toStored(const QVariant& value, const ColumnType& type, QVariant& stored, QString& reason);

}  // namespace db
