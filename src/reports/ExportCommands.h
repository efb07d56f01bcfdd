#pragma once
// The spreadsheet and output database exports as the reports view's buttons run them, from the
// view's choices. Every message of the exports is shown here; nothing escapes.
#include "reports/ExportSpec.h"

namespace vb {
struct CommonDialog;
}

namespace reports {

// The description fields of the entry view's field list (entries 1..CountDescFlds).
QList<ExportField> DescriptionFields();

// "Export To Excel": the choice dialog, then a new workbook opened in the spreadsheet program.
void RunSpreadsheetExport(const ViewChoices& v);

// "Generate Database": the choice dialog, the save dialog (the view's rptDialog), the questions,
// then the new database file.
void RunDatabaseExport(const ViewChoices& v, vb::CommonDialog& rptDialog);

}  // namespace reports
