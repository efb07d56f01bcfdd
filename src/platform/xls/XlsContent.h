#pragma once
// What the import reads from an Excel 97-2003 workbook (.xls): the worksheets' names and, for
// each worksheet, its columns. The workbook is read by a program of its own (XlsReader.h), which
// hands the result over as bytes; the bytes are checked strictly, as they come from a program
// that a damaged workbook may have stopped partway.
#include "platform/xls/XlsMend.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

namespace xls {

// What a workbook holds at most: worksheets, and a worksheet's rows and columns in an .xls file.
constexpr quint32 kMostSheets = 65536, kMostRows = 65536, kMostColumns = 256;

// One column of a worksheet: its name from the first row and its ADO type code.
struct SheetColumn {
    QString Name;
    int16_t Type = 0;
    // A formula in its name or its sampled cells has a result that cannot be read (an error
    // value, or a workbook that could not be mended): the name or the type may miss it.
    bool UnreadFormula = false;
};

struct SheetContent {
    QString name;
    QList<SheetColumn> columns;
    QString problem;   // why the worksheet cannot be read; "" when it was read
};

struct WorkbookContent {
    QString refusal;   // why the workbook cannot be opened; "" when it was read
    QList<SheetContent> sheets;
    MendReport mend;
};

QByteArray Encode(const WorkbookContent& content);
// False when bytes are not exactly what Encode writes: cut short, too long, out of bounds (more
// worksheets or columns than a workbook holds: 65,536 and 256), an empty name, or text that is not
// UTF-8.
bool Decode(const QByteArray& bytes, WorkbookContent& content);

}  // namespace xls
