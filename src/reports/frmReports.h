#pragma once
// The reports view: the fields that become report columns and their labels, the title and
// information lines, the notes option, the record source (all records with a sort field, or the
// search result), the report font, and the buttons that start the outputs.
//
// The handlers are spread over files by concern:
//   frmReports.cpp          the window, its controls, load, activation and colours
//   frmReportsChoices.cpp   the field slots, labels, record source, font, and the choices snapshot
//   frmReportsPrint.cpp     the layout choice, the builders and Print/Preview
//   frmReportsExport.cpp    the PDF, HTML and rich-text exports
// The spreadsheet, output-database and mailing-label buttons live in their command files (see
// ExportCommands.h).
#include "platform/core/UiServices.h"
#include "platform/report/ReportModel.h"
#include "reports/ReportChoices.h"
#include "shell/Form.h"

#include <QFont>

class ReportProgress;
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

class DBFlds;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

class frmReports : public Form {
public:
    static frmReports& instance();

    static constexpr int kSlots = 20;

    // ---- Handlers ----
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Resize();
    void Form_Unload() override;
    void ChkRepLbl_Click(int Index);
    void chkInclMemo_Click();
    void txtRptLbl_Validate(int Index);
    // Returns false when the label is too long (the message was shown and the focus put back).
    bool txtRptLbl_LostFocus(int Index);
    void OptAllRecs_Click();
    void OptSrchRes_Click();
    void cmdRptFont_Click();
    void cmdPrintRep_Click();
    void OptPDF_Click();
    void OptHTML_Click();
    void OptTxt_Click();
    void OptExcel_Click();
    void OptExpDB_Click();
    void OptMailLbls_Click();

    // ---- Public operations ----
    // Applies the shared form and text colours to the view.
    void UpdateRepFrmClr();
    void UpdateColours() override { UpdateRepFrmClr(); }
    // Build the report of the current choices into RptObj (the caller sets the layout flags first).
    void BuildPortaitRep(int NoRptFlds = 0);
    void BuildLandscapeRep(int numitems = 0);
    void BuildLegalRep(int numitems = 0);
    // The older portrait builder: only the boxes 1..NoRptfld, one geometry for any column count.
    void BuildMainRep(int NoRptfld);
    // Write the report of the current choices to the file (the export's own button must be down).
    void ExportPDF(const QString& strPDName);
    void ExportHTML(const QString& strHTMNme);
    void ExportTXT(const QString& strTXTName);

    // ---- The view's current choices, for the outputs ----
    // The field of slot k (1..20): the entry of the field list the slot was filled from, or
    // nullptr for a slot without a field.
    const DBFlds* SlotField(int k) const;
    // Index in the field list (1-based) of the field of slot k, 0 for none.
    int SlotEntry(int k) const;
    // Number of ticked field boxes.
    int TickedCount() const;
    bool SlotTicked(int k) const;
    // The column label of slot k (the text of its label box).
    QString SlotLabel(int k) const;
    // The title line (0) and the information lines (1..3).
    QString TitleLine(int i) const;
    // The sort column chosen in the sort list, or "" for reports::kSortOff.
    QString SortField() const;
    bool SearchResultsChosen() const;   // "Search Results" selected
    QFont ReportFont() const;           // the font of lblSurname
    // Everything above in one snapshot.
    ReportChoices Choices() const;

    // ---- Controls ----
    QPointer<QFrame> Picture1;
    QPointer<QLabel> Label3, Label2;
    QPointer<QRadioButton> OptAllRecs, OptSrchRes;
    QPointer<QComboBox> cmboAllRecs;
    QPointer<QToolButton> cmdPrintRep, cmdRptFont;
    QPointer<QToolButton> OptPDF, OptTxt, OptHTML, OptExcel, OptExpDB, OptMailLbls;
    QPointer<QGroupBox> FrmCompInfo;
    QPointer<QLabel> lblTitle, LblComp;
    std::vector<QPointer<QLineEdit>> RptText;     // 0..3
    QPointer<QGroupBox> RepLblFrame;
    std::vector<QPointer<QCheckBox>> ChkRepLbl;   // 1..20 (element 0 unused)
    std::vector<QPointer<QLineEdit>> txtRptLbl;   // 1..20 (element 0 unused)
    QPointer<QCheckBox> chkInclMemo;
    QPointer<QLabel> lblSurname;                  // hidden; carries the report font

    // ---- State ----
    bool bInclNotes = false;
    bool bHasNotes = false;
    QString FrmColor, TextColor;   // the view's own copies of the colours
    vb::CommonDialog rptDialog;    // the save dialog of the file exports; keeps its properties
    vb::CommonDialog cmdlgFont;
    std::shared_ptr<report::Document> RptObj;           // the report made last
    std::shared_ptr<report::ReportDefinition> RptDef;   // the definition it was made from

protected:
    QWidget* CreateWidget() override;

private:
    frmReports() : Form(QStringLiteral("frmReports")) {}
    void fillSlot(int k, int entry, const DBFlds& field);
    void selectAllRecords();
    void selectSearchResults();
    void applyColours(bool switchSource);
    // The layout choice shared by the print and the exports: builds RptDef, or shows the message
    // and returns false.
    bool buildReport(bool forExport);
    // Lays RptDef out into RptObj, reporting to the progress window, which it opens; stops (false,
    // RptObj empty) when the user cancels. On a failure the window is closed before the one box
    // that tells why.
    bool runReport(std::optional<ReportProgress>& progress, bool writesPages);
    void exportFile(int kind, const QString& path);
    void exportClick(int kind);
    std::vector<int> slotEntry_;   // slot k -> entry of the field list (0: none)
};
