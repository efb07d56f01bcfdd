#pragma once
// Reads an Excel 97-2003 workbook (.xls) with FreeXL, in the process that calls it. A damaged
// workbook can crash FreeXL, so only the workbook reader program (ravelstow-xlsreader) calls this;
// the program itself reads workbooks through xls::Workbook, which runs that program.
//
// The first row of a worksheet holds the column names; each column gets the ADO type code a
// spreadsheet provider reports for it, guessed from the cells below the names. The workbook is
// first put into the form FreeXL reads (XlsMend.h): formula cells then read as their stored results.
#include "platform/xls/XlsContent.h"

namespace xls {

// Rows below the names that decide a column's type.
constexpr unsigned kSampleRows = 8;

// Every worksheet of the workbook at path with its columns, or the reason it cannot be opened.
// A column's type is that of most of its sampled cells: numbers adDouble (5), dates and times
// adDate (7), text adVarWChar (202), or adLongVarWChar (203) when a sampled text is longer than
// 255 characters; a tie, or no value at all, is text. A column without a name in the first row is
// called "F" and its 1-based number.
WorkbookContent ReadWorkbook(const QString& path);

}  // namespace xls
