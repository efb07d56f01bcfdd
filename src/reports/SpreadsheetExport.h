#pragma once
// Writes the rows of an export into a new workbook in the export folder ("Export <time>.xlsx"):
// a header row of the column names, then one row per record, each value with its type (numbers,
// currency and decimals as numbers with their display format, dates as dates, True/False as
// booleans, text and notes as text; an empty value is an empty cell). Column widths follow the
// longest text seen in each column. The workbook is built under a temporary name and only a
// complete file gets its name; cancelling or a failure leaves no file.
#include "reports/ExportSpec.h"

#include <QString>

namespace db {
class Connection;
}

namespace reports {

struct SpreadsheetResult {
    QString path;          // the new workbook ("" when cancelled)
    qint64 rows = 0;       // records written
    int cut = 0;           // text values cut to the longest text a cell holds
    bool cancelled = false;
};

// Errors raise VbError; more records than a sheet holds raise 6 before anything is written.
SpreadsheetResult WriteSpreadsheet(db::Connection& conn, const ExportSpec& spec, const Progress& progress = {});

}  // namespace reports
