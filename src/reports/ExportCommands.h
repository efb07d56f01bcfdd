#pragma once
// The outputs of the reports view that are not reports, one command file each, holding its
// button's handler and the run from the view's choices (frmReports::Choices()):
//   SpreadsheetCommand.cpp   "Export To Excel"
//   DatabaseCommand.cpp      "Generate Database"
//   MailLabelsCommand.cpp    "Create Mailing Labels"
// Every message of the exports is shown there; nothing escapes.
#include "reports/ExportSpec.h"

namespace vb {
struct CommonDialog;
}

namespace reports {

// The description fields of the entry view's field list (entries 1..CountDescFlds).
QList<ExportField> DescriptionFields();

// "Export To Excel": the choice dialog, then a new workbook opened in the spreadsheet program.
void RunSpreadsheetExport(const ReportChoices& v);

// "Generate Database": the choice dialog, the save dialog (the view's rptDialog), the questions,
// then the new database file.
void RunDatabaseExport(const ReportChoices& v, vb::CommonDialog& rptDialog);

}  // namespace reports
