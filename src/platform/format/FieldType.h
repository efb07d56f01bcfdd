#pragma once
// A field's type, read once from the name the field list keeps for it. The field list (DBFldFunct)
// and the files keep their names as they are: "Text", "Memo", "Integer", "Double", "Decimal/2",
// "Date/Time", "Currency", "True/False"; the create form offers "Number/Integer", "Number/Double"
// (a decimal column, its places chosen beside it) and "FilePath" (a text column whose name ends in
// "FP"). Code that asks what a field holds parses its name here and switches on the kind; no other
// code compares type names.
#include <QString>

namespace vb {

// The kind of value a bound box shows and reads.
enum class ValueKind { Text, Integer, Double, Decimal, Currency, DateTime, Boolean };

enum class FieldKind { None, Text, Memo, Integer, Double, Decimal, Currency, DateTime, Boolean };

struct FieldType {
    FieldKind kind = FieldKind::None;   // None: a name (or storage type) of no known type
    int scale = 0;                      // a Decimal's places
    bool filePath = false;              // a Text field that holds a file's path

    // A type name of the field list or of the create form. A Decimal's places are every digit after
    // the "/" ("Decimal/12" is 12). A Text column whose name ends in "FP" holds a file path.
    static FieldType parse(const QString& typeName, const QString& columnName = {});
    // A column's ADO storage type code (202 Text, 203 Memo, 2 and 3 Integer, 5 Double, 131 Decimal,
    // 7 Date/Time, 6 Currency, 11 True/False) and its numeric scale.
    static FieldType ofColumn(int adoType, int numericScale = 0, const QString& columnName = {});

    QString name() const;          // the field list's name ("Decimal/2"); "" for None
    ValueKind valueKind() const;   // Memo and None read as Text
    bool isNumber() const { return kind == FieldKind::Integer || kind == FieldKind::Double || kind == FieldKind::Decimal; }
    bool operator==(const FieldType&) const = default;
};

// Type name of a column's ADO storage type code, without a Decimal's places ("Decimal"); "" for none.
QString adoTypeName(int adoType);
QString decimalTypeName(int scale);   // "Decimal/2"

}  // namespace vb
