// The reports view's "Export To Excel" button: the spreadsheet export.
#include "entry/DataInput.h"
#include "platform/core/UiServices.h"
#include "platform/db/CauseMessage.h"
#include "platform/db/Connection.h"
#include "platform/shellexec/ShellExecute.h"
#include "platform/ui/ProgressBox.h"
#include "reports/ExportCommands.h"
#include "reports/ExportTexts.h"
#include "reports/FieldChoiceDialog.h"
#include "reports/SpreadsheetExport.h"
#include "reports/frmReports.h"
#include "shell/Module1.h"

#include <QDir>
#include <QToolButton>

namespace reports {

void RunSpreadsheetExport(const ReportChoices& v) {
    using namespace Module1;
    try {
        FrmExpToExcel::instance().ShowModal();
        if (!bExcelApply) return;
        bool all = false;
        if (bExcelAllFlds) {
            all = true;
        } else if (bExcelUsrFlds) {
            if (v.columns.empty()) {
                vb::MsgBox(texts::kExcelNoField, vb::vbOKOnly);
                return;
            }
        } else {
            return;
        }
        // All fields take the notes whenever the database has them; the ticked fields when ticked.
        const ExportSpec spec = specFor(DescriptionFields(), v, all, all ? v.hasNotes : v.inclNotes, SrchFlg);
        db::Connection conn;
        conn.Open(DBConnStr);
        SpreadsheetResult r;
        {
            vb::ProgressBox progress(texts::kExcelTitle, QStringLiteral("Writing the workbook..."));
            r = WriteSpreadsheet(conn, spec, std::ref(progress));
        }
        conn.Close();
        if (r.cancelled) return;
        if (vb::ShellExecute(r.path) <= 32)
            vb::MsgBox(texts::savedNotOpened(texts::kWorkbookSavedAs, QDir::toNativeSeparators(r.path), texts::kWorkbookNotOpened,
                                             texts::kNoSpreadsheetProgram),
                       vb::vbOKOnly, texts::kExportObject);
        if (r.cut > 0) vb::MsgBox(texts::cutNote(r.cut), vb::vbOKOnly, texts::kExcelTitle);
    } catch (const vb::VbError& e) {
        if (!vb::ShowCause(e, QStringLiteral("the workbook was not written."), texts::kExcelTitle)) vb::ShowErrorPair(e);
    } catch (const std::exception& e) {
        vb::ShowUnexpectedError(e);
    }
}

}  // namespace reports

void frmReports::OptExcel_Click() {
    OptExcel->setChecked(true);
    reports::RunSpreadsheetExport(Choices());
    if (OptExcel) OptExcel->setChecked(false);
}
