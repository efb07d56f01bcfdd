#pragma once
// Which box of the entry view a column of UserTable goes to, by its name and type: the one rule
// the view's load and its rebuilding after a field rename both follow.
#include "platform/format/FieldType.h"

#include <QString>

enum class ColumnBox {
    Keyword,   // a name beginning with "Key": the next keyword box
    Notes,     // a notes column: the notes box
    Hidden,    // the record id and the search marks: in the field list, in no box
    Field,     // a description field of a type the view shows: its field row
    None       // a type the view cannot show: left out of the view and the field list
};

ColumnBox columnBox(const QString& name, const vb::FieldType& type);
