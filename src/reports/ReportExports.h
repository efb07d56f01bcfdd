#pragma once
// The outputs of the reports view that are not reports: the spreadsheet, the output database and
// the mailing labels. Each reads the view's current choices (frmReports::Choices() and the
// accessors beside it) and shows its own messages.
class frmReports;

void ExportToSpreadsheet(frmReports& view);
void ExportToDatabase(frmReports& view);
void ExportMailingLabels(frmReports& view);
