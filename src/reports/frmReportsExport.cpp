// The PDF, HTML and rich-text exports of the report.
#include "platform/db/CauseMessage.h"
#include "platform/fs/FileSystem.h"
#include "platform/paths/AppPaths.h"
#include "platform/report/ReportPainter.h"
#include "platform/report/ReportWriters.h"
#include "reports/ReportLayouts.h"
#include "reports/ReportProgress.h"
#include "reports/frmReports.h"
#include "shell/Module1.h"

#include <QFileInfo>
#include <QToolButton>

namespace {

enum Kind { Pdf = 0, Html = 1, Rtf = 2 };

struct KindTexts {
    const char* title;
    const char* filter;
    const char* question;
    const char* questionTitle;
    const char* errorTitle;   // title of the click handler's description box
    const char* extension;    // added to a name typed without one
};

const KindTexts kTexts[3] = {
    {"Enter PDF FileName", "All Files (*.*)|*.*|pdf Files(*.pdf)|*.pdf", "Overwrite PDF File?", "PDF File already Exists.",
     "Ravelstow", "pdf"},
    {"Enter HTML FileName", "All Files (*.*)|*.*|html Files(*.html)|*.html", "Overwrite HTML File?",
     "HTML File already Exists.", "HTML Error", "html"},
    {"Enter Text FileName", "All Files (*.*)|*.*|rtf Files(*.rtf)|*.rtf", "Overwrite Text File?", "Text File already Exists.",
     "Ravelstow", "rtf"},
};

// The messages for a missing export component (errors 327 and 429).
void showMissing(int kind, int32_t number) {
    if (kind == Pdf && number == vb::err::ComponentMissing)
        vb::MsgBox(QStringLiteral("Adobe Needs To Installed Exporting A Report To PDF File"), vb::vbOKOnly, QStringLiteral("Adobe"));
    else if (kind == Pdf)
        vb::MsgBox(QStringLiteral("Adobe Object Needs To Be Installed Before Exporting A Report."), vb::vbOKOnly,
                   QStringLiteral("Adobe Object"));
    else
        vb::MsgBox(QStringLiteral("Export Object Needs To Be Installed Before Exporting A Report."), vb::vbOKOnly,
                   QStringLiteral("Export Object"));
}

}  // namespace

static QToolButton* kindButton(frmReports& v, int kind) {
    return kind == Pdf ? v.OptPDF.data() : kind == Html ? v.OptHTML.data() : v.OptTxt.data();
}

void frmReports::OptPDF_Click() { exportClick(Pdf); }
void frmReports::OptHTML_Click() { exportClick(Html); }
void frmReports::OptTxt_Click() { exportClick(Rtf); }
void frmReports::ExportPDF(const QString& strPDName) { exportFile(Pdf, strPDName); }
void frmReports::ExportHTML(const QString& strHTMNme) { exportFile(Html, strHTMNme); }
void frmReports::ExportTXT(const QString& strTXTName) { exportFile(Rtf, strTXTName); }

void frmReports::exportClick(int kind) {
    const KindTexts& tx = kTexts[kind];
    QPointer<QToolButton> button = kindButton(*this, kind);
    if (button) button->setChecked(true);
    auto release = [&] {
        if (button) button->setChecked(false);
    };
    try {
        if (TickedCount() == 0) {
            vb::MsgBox(QStringLiteral("At Least One Report Field Must Be checked To Run a Report"), vb::vbOKOnly,
                       QStringLiteral("Reports"));
            release();
            return;
        }
        // More than 12 columns is refused before a file is asked for (and before any file is touched).
        if (ChooseLayout(TickedCount() + (bInclNotes && bHasNotes ? 1 : 0)).layout == ReportLayout::Refused) {
            vb::MsgBox(QStringLiteral("Maximum Number of Fields Included in a Report Cannot Exceed 12."), vb::vbOKOnly,
                       QStringLiteral("Reports"));
            release();
            return;
        }
        rptDialog.CancelError = true;
        rptDialog.Flags = vb::cdlOFNHideReadOnly;
        rptDialog.DialogTitle = QString::fromLatin1(tx.title);
        rptDialog.InitDir = vb::programFolder();
        rptDialog.FileName.clear();
        rptDialog.Filter = QString::fromLatin1(tx.filter);
        rptDialog.FilterIndex = 2;
        rptDialog.ShowSave();
        // A name typed without an extension gets the report type's, so the file opens in its program.
        const QString name = vb::WithExtension(rptDialog.FileName, QLatin1String(tx.extension));
        if (!name.isEmpty()) {
            if (vb::SamePath(name, Module1::CurrentDBPath)) {
                vb::MsgBox(QStringLiteral("The open database cannot be replaced by a report."), vb::vbOKOnly,
                           QStringLiteral("Reports"));
                release();
                return;
            }
            if (QFileInfo::exists(name)) {
                if (vb::MsgBox(QString::fromLatin1(tx.question), vb::vbOKCancel, QString::fromLatin1(tx.questionTitle)) ==
                    vb::vbCancel) {
                    release();
                    return;
                }
                // The old file stays until the new one is complete: the writers replace it then.
            }
            exportFile(kind, name);
        } else {
            vb::MsgBox(QStringLiteral("Please enter a filename or cancel from routine"));
        }
    } catch (const vb::VbError& e) {
        if (e.number != vb::err::CancelError) {
            vb::MsgBox(QString::number(e.number), vb::vbOKOnly, QStringLiteral("Ravelstow"));
            vb::MsgBox(e.description, vb::vbOKOnly, QString::fromLatin1(tx.errorTitle));
        }
    }
    release();
}

void frmReports::exportFile(int kind, const QString& path) {
    QPointer<QToolButton> button = kindButton(*this, kind);
    try {
        if (!buildReport(true)) {
            if (button) button->setChecked(false);
            return;
        }
        if (button && button->isChecked()) {
            // Cancel is read until the new file takes the old one's place; then the window goes.
            std::optional<ReportProgress> progress;
            if (!runReport(progress, true)) {
                if (button) button->setChecked(false);
                return;
            }
            if (!RptObj->pages.empty()) {
                const report::PageProgress onPage = [&](int done, int pages) { progress->page(done, pages); };
                switch (kind) {
                case Pdf: report::WritePdf(*RptObj, path, onPage); break;
                case Html: report::WriteHtml(*RptObj, path, onPage); break;
                default: report::WriteRtf(*RptObj, path, onPage); break;
                }
            }
        }
        if (button) button->setChecked(false);
    } catch (const ReportCancelled&) {
        if (button) button->setChecked(false);   // the file was not written; an old one stays
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::ComponentMissing || e.number == vb::err::CantCreateObject) showMissing(kind, e.number);
        else if (!vb::ShowCause(e, QStringLiteral("the report was not written."), QStringLiteral("Reports")))
            vb::ShowErrorPair(e);
    }
}
