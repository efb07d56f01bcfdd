// The reports view's "Generate Database" button.
#include "reports/ExportCommands.h"
#include "reports/ReportExportChoices.h"
#include "reports/ReportExports.h"
#include "reports/frmReports.h"

void ExportToDatabase(frmReports& view) { reports::RunDatabaseExport(reports::ChoicesOf(view), view.rptDialog); }
