#pragma once
// A laid-out page read as a table, for the writers of HTML and RTF: the report header's lines,
// one table row per page-header and detail band with one cell per column (the columns are where
// the page header's captions stand), and the page footer's items.
#include "platform/report/ReportModel.h"

#include <vector>

namespace report {

struct PageTable {
    struct Row {
        SectionKind section = SectionKind::Detail;
        double height = 0;
        std::vector<std::vector<const Item*>> cells;   // one list of items per column
    };
    std::vector<const Item*> titles;   // report header items, top to bottom
    std::vector<double> columnLeft;    // twips on the sheet
    std::vector<double> columnRight;
    std::vector<Row> rows;
    std::vector<const Item*> footer;   // page footer items, left to right
};

PageTable TableOf(const Page& page);

// The text an item prints: a check box's glyph, or its text.
QString PrintedText(const Item& item);

// Where the item's printed text goes on to a new line without a line break of its own: the ends
// of its laid-out lines (indexes into the text, ascending).
std::vector<int> WrapBreaks(const Item& item);

// Writes text to a file beside the target and renames it over the target when complete;
// a failure raises 75 with the reason and leaves an existing file as it was.
void SaveText(const QString& path, const QByteArray& bytes);

}  // namespace report
