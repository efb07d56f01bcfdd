// Print/Preview: the column count, the layout choice, the builders and the preview.
#include "platform/db/CauseMessage.h"
#include "platform/print/ReportPrinter.h"
#include "platform/report/ReportEngine.h"
#include "reports/ReportLayouts.h"
#include "reports/ReportProgress.h"
#include "reports/frmReports.h"
#include "shell/Form.h"
#include "shell/Module1.h"

#include <QApplication>
#include <QToolButton>

namespace {

// The wait cursor while a report is laid out.
struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};

}  // namespace

void frmReports::BuildPortaitRep(int) { ::BuildPortaitRep(*RptDef, Choices()); }
void frmReports::BuildLandscapeRep(int) { ::BuildLandscapeRep(*RptDef, Choices()); }
void frmReports::BuildLegalRep(int) { ::BuildLegalRep(*RptDef, Choices()); }
void frmReports::BuildMainRep(int NoRptfld) { ::BuildMainRep(*RptDef, Choices(), NoRptfld); }

bool frmReports::buildReport(bool forExport) {
    const int t = TickedCount();
    if (t == 0) {
        if (forExport)
            vb::MsgBox(QStringLiteral("At Least One Report Field Must Be checked To Run a Report"), vb::vbOKOnly,
                       QStringLiteral("Reports"));
        else
            vb::MsgBox(QStringLiteral("Select one or more fields to include in a report.") + "\r\n",
                       vb::vbOKOnly | vb::vbExclamation | vb::vbDefaultButton2, QStringLiteral("Reports"));
        return false;
    }
    const int n = t + (bInclNotes && bHasNotes ? 1 : 0);
    Module1::bRptWide = Module1::bRptLandscape = Module1::bRptPortrait = false;
    const LayoutChoice choice = ChooseLayout(n);
    if (choice.layout == ReportLayout::Refused) {
        vb::MsgBox(QStringLiteral("Maximum Number of Fields Included in a Report Cannot Exceed 12."), vb::vbOKOnly,
                   QStringLiteral("Reports"));
        return false;
    }
    // A search result that has gone since it was chosen (the database closed, a field renamed).
    if (SearchResultsChosen() && Choices().searchSql.isEmpty()) {
        OptSrchRes_Click();
        return false;
    }
    SetLayoutFlags(choice);
    RptDef = NewReport();
    RptObj.reset();
    switch (choice.layout) {
    case ReportLayout::Wide: BuildLegalRep(Module1::CountDescFlds()); break;
    case ReportLayout::Landscape: BuildLandscapeRep(Module1::CountDescFlds()); break;
    default: BuildPortaitRep(n); break;
    }
    return true;
}

// Starts the report and lays out its pages into RptObj; errors of the page generation go to the
// template's error handler.
bool frmReports::runReport(std::optional<ReportProgress>& progress, bool writesPages) {
    try {
        BusyCursor busy;
        progress.emplace(writesPages);
        const report::Progress step = [&progress](qint64 rows, qint64 total) { progress->rows(rows, total); };
        RptObj = std::make_shared<report::Document>(report::Run(RptDef, QDateTime::currentDateTime(), step));
        return true;
    } catch (const ReportCancelled&) {
        progress.reset();
        RptObj.reset();
        return false;
    } catch (const vb::VbError& e) {
        progress.reset();
        RptObj.reset();
        if (!vb::ShowCause(e, QStringLiteral("the report was not made."), QStringLiteral("Reports")))
            ActiveReport_Error(e.number, e.description);
        return false;
    }
}

void frmReports::cmdPrintRep_Click() {
    try {
        if (!buildReport(false)) return;
        {
            std::optional<ReportProgress> progress;
            if (!runReport(progress, false)) return;
        }
        // The preview needs no printer; printing from it without one raises 5007 to the handler.
        QWidget* parent = viewHost() ? viewHost()->DialogParent() : Widget();
        report::printService().Preview(RptObj, parent, ActiveReport_Error);
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::CantCreateObject)
            vb::MsgBox(QStringLiteral("Export Object Needs To Be Installed Before Exporting A Report."), vb::vbOKOnly,
                       QStringLiteral("Export Object"));
        else if (e.number == vb::err::ComponentMissing)
            vb::MsgBox(QStringLiteral("The Report Could Not Be Started."), vb::vbOKOnly, QStringLiteral("Reports"));
        else
            vb::ShowErrorPair(e);
    }
}
