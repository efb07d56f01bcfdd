// The reports view's "Export To Excel" button.
#include "reports/ExportCommands.h"
#include "reports/ReportExportChoices.h"
#include "reports/ReportExports.h"
#include "reports/frmReports.h"
#include "shell/DBDef.h"

namespace reports {

ViewChoices ChoicesOf(const frmReports& view) {
    ViewChoices c;
    QList<ExportField> ticked;
    for (int k = 1; k <= frmReports::kSlots; ++k) {
        if (!view.SlotTicked(k)) continue;
        c.ticked[size_t(k)] = true;
        if (const DBFlds* f = view.SlotField(k)) ticked << ExportField{f->FldName, f->FldType};
    }
    c.tickedFields = ticked;
    c.hasNotes = view.bHasNotes;
    c.inclNotes = view.bInclNotes;
    c.srchRes = view.SearchResultsChosen();
    const QString sort = view.SortField();
    c.sortText = sort.isEmpty() ? kSortOff : sort;
    return c;
}

}  // namespace reports

void ExportToSpreadsheet(frmReports& view) { reports::RunSpreadsheetExport(reports::ChoicesOf(view)); }
