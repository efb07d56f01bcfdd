#include "entry/ColumnBox.h"

ColumnBox columnBox(const QString& name, const vb::FieldType& type) {
    if (name.left(3) == QLatin1String("Key")) return ColumnBox::Keyword;
    if (type.kind == vb::FieldKind::Memo) return ColumnBox::Notes;
    if (type.kind == vb::FieldKind::Integer &&
        (name == QLatin1String("SrchInt") || name == QLatin1String("SrchKey") || name == QLatin1String("TolvaneID")))
        return ColumnBox::Hidden;
    return type.kind == vb::FieldKind::None ? ColumnBox::None : ColumnBox::Field;
}
