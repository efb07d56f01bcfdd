#pragma once
// The report template (sections, page footer, page set-up at report start), the layout choice by
// column count, and the three page layouts that fill a new report from the view's choices.
// Widget-free: the print, the exports and the benchmark share them.
#include "platform/report/ReportModel.h"
#include "reports/ReportChoices.h"

#include <memory>

enum class ReportLayout { Refused, Portrait, Landscape, Wide };

struct LayoutChoice {
    int columns = 0;
    ReportLayout layout = ReportLayout::Refused;
    bool fewCols = false;   // a portrait report of at most 4 columns
};

// 1 to 7 columns portrait, 8 to 10 landscape, 11 or 12 wide; more (or none) refused.
LayoutChoice ChooseLayout(int columns);

// Sets the shared layout flags for the choice (bRptFewCols only for a portrait report).
void SetLayoutFlags(const LayoutChoice& choice);

// A new report made from the template RptFrmOutput: the five sections with their design heights,
// the page footer's page number, page count and date, and the report-start handler.
std::shared_ptr<report::ReportDefinition> NewReport();

// The template's report-start handler: the page set-up by the shared layout flags.
void ActiveReport_ReportStart(report::ReportDefinition& report);

// The SELECT of the report's records.
QString ReportSource(const ReportChoices& choices, ReportLayout layout);

// The page layouts. Each fills the report's data source, title labels, column captions, column
// fields or check boxes and the notes column from the choices.
void BuildPortaitRep(report::ReportDefinition& report, const ReportChoices& choices);
void BuildLandscapeRep(report::ReportDefinition& report, const ReportChoices& choices);
void BuildLegalRep(report::ReportDefinition& report, const ReportChoices& choices);

// The older portrait form: the record source by the option buttons (all records unsorted when no
// sort field is chosen), only the boxes 1..NoRptfld, and one geometry for every column count
// (step 1300, captions 1440 wide at 9 pt, data 200 right of the caption, notes step 1290 with
// caption and field 1090 wide; the title labels keep the default left).
QString MainReportSource(const ReportChoices& choices);
void BuildMainRep(report::ReportDefinition& report, const ReportChoices& choices, int NoRptfld);

// Chooses the layout of the choices, sets the flags and builds a new report; nullptr when the
// column count is refused.
std::shared_ptr<report::ReportDefinition> BuildReport(const ReportChoices& choices);

// The template's handler of errors met while the report generates its pages: 5007 "A Printer
// Needs To Be Installed", any other the number and then the description, titled "Reports".
void ActiveReport_Error(int32_t number, const QString& description);
