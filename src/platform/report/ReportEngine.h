#pragma once
// Runs a report definition: starts it (its report-start handler makes the page set-up), reads
// the data source row by row and lays the sections out into pages. Every output draws from the
// resulting Document, whose pages are made as they are read.
//
// Pagination: the report header (when visible) opens the first page, the page header opens every
// page, the page footer closes every page just above the bottom margin. A detail band grows with
// its tallest growing field; a band that does not fit goes to the next page, and a band taller
// than a whole page is split between lines and continued, never cut. With no rows the report
// still has one page. Controls are placed from the left margin and clipped at the paper edge
// only.
#include "platform/report/ReportData.h"
#include "platform/report/ReportModel.h"

#include <QFont>
#include <QTextOption>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace report {

// The Qt font of a control font, sized for drawing in twips (1 pt = 20 twips).
QFont QtFont(const FontSpec& font);

// The text a bound value prints as: through the output format when there is one; else text as
// it is, dates as the general date, numbers in general form, Null as nothing.
QString ValueText(const QVariant& value, const QString& outputFormat);

// A line of a text, as its start and length in the text.
struct Span {
    int start = 0, length = 0;
};
// The lines text wraps into within width in font, line breaks in the text kept, by the wrap
// mode: at word boundaries and inside a word only when it is wider than the line (the default),
// only at word boundaries, or anywhere.
std::vector<Span> WrapLines(const QString& text, const QFont& font, double width,
                            QTextOption::WrapMode mode = QTextOption::WrapAtWordBoundaryOrAnywhere);

// Called every so many rows while the report is laid out: the rows done so far, of the total.
using Progress = std::function<void(qint64 rows, qint64 total)>;

// Opens the report's rows; called once, for the first pass. The source is kept while the
// document lives and each page is read from the row it starts at.
using RowsFactory = std::function<std::unique_ptr<RowSource>()>;

// Lays the report out. The definition's report-start handler runs first; then one pass over the
// rows finds where the pages break (progress is reported from it). The document's pages are laid
// out again when they are read, a few held at a time. Errors of the data source are raised as
// the data layer's errors.
Document Run(std::shared_ptr<ReportDefinition> definition, RowsFactory rows, const QDateTime& now,
             const Progress& progress = {});
// The same over the definition's own data source (databasePath and sql).
Document Run(std::shared_ptr<ReportDefinition> definition, const QDateTime& now, const Progress& progress = {});

}  // namespace report
