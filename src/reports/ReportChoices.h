#pragma once
// What the reports view holds when an output starts: the ticked fields with their column labels,
// the title lines, the notes option, the record source, the sort field and the report font. Every
// output (reports, spreadsheet, output database) reads this one snapshot, never the widgets, so
// they run (and are tested) without the view.
#include <QString>
#include <array>
#include <vector>

namespace reports {
// The first entry of the sort list: the records in table order.
inline const QString kSortOff = QStringLiteral("Sort All Records (off)");
}  // namespace reports

struct ReportColumn {
    int slot = 0;          // the check box (1..20)
    QString fieldName;     // the column of UserTable (a file-path field keeps its "FP" ending)
    QString fieldType;     // "Text", "Integer", "Decimal/2", "Date/Time", "Currency", "True/False", ...
    QString label;         // the column label typed under the check box
};

struct ReportChoices {
    std::vector<ReportColumn> columns;   // the ticked fields, in slot order
    std::array<QString, 4> titles;       // the title line and the three information lines
    bool inclNotes = false;              // "Include Notes" ticked
    bool hasNotes = false;               // the database has a notes column
    bool allRecords = true;              // AllRecsFlg
    bool searchResults = false;          // "Search Results" selected
    QString sortField;                   // a column name, or empty for kSortOff
    QString fontName = QStringLiteral("Arial");
    double fontSize = 9;
    bool fontBold = false;
    QString dbPath;                      // the open database file
    QString searchSql;                   // the search's final SELECT (empty when there is none)

    // The report's column count: the ticked fields, and the notes when the database has them and
    // they are asked for.
    int ColumnCount() const { return int(columns.size()) + (inclNotes && hasNotes ? 1 : 0); }
};
