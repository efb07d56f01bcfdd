// The spreadsheet export of the reports view.
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
#include "shell/Module1.h"

#include <QDir>

namespace reports {

QList<ExportField> DescriptionFields() {
    QList<ExportField> out;
    const DBFldFunct& list = DataInput::instance().DBDefMain().DBFldFunct();
    const int n = Module1::CountDescFlds();
    for (int i = 1; i <= n && i <= list.Count(); ++i) out << ExportField{list.Item(i).FldName, list.Item(i).FldType};
    return out;
}

void RunSpreadsheetExport(const ViewChoices& v) {
    using namespace Module1;
    try {
        FrmExpToExcel::instance().ShowModal();
        if (!bExcelApply) return;
        bool all = false;
        if (bExcelAllFlds) {
            all = true;
        } else if (bExcelUsrFlds) {
            if (v.tickedCount() == 0) {
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
