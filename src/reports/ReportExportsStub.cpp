// Stand-ins until the spreadsheet, output-database and mailing-label outputs are built.
#include "reports/ReportExports.h"

void ExportToSpreadsheet(frmReports&) {}
void ExportToDatabase(frmReports&) {}
void ExportMailingLabels(frmReports&) {}
