#pragma once
// What an export copies: which columns of UserTable, which rows and in what order. The spreadsheet,
// output database and mailing-label exports all read their rows through one SELECT made here, with
// every column name bracketed, so names with blanks, apostrophes or SQL words work.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

namespace reports {

// One column: its name and its type name as the field list gives it ("Text", "Memo", "Integer",
// "Double", "Decimal/2", "Date/Time", "Currency", "True/False").
struct ExportField {
    QString name;
    QString type;
};

struct ExportSpec {
    QList<ExportField> fields;   // in this order; the notes column, when exported, is one of them
    bool searchResult = false;   // only the rows of the latest search (RptFlg = True), unsorted
    QString sortField;           // all rows, sorted by this column ("": in table order)
    QStringList columnNames() const;
};

// The reports view's choices that the exports read.
struct ViewChoices {
    std::array<bool, 21> ticked{};   // ChkRepLbl(1..20) ticked; [0] unused
    bool hasNotes = false;           // the database has notes (chkInclMemo visible, bHasNotes)
    bool inclNotes = false;          // "Include Notes" ticked
    bool srchRes = false;            // "Search Results" chosen as the record source
    QString sortText;                // the sort combo's text
    // The ticked fields as the view bound them to its slots, in slot order; when given, they are
    // exported for "selected fields" in place of entry k for box k.
    std::optional<QList<ExportField>> tickedFields;
    int tickedCount() const;
};

inline const QString kSortOff = QStringLiteral("Sort All Records (off)");

// The description fields of the field list (entries 1..n: name and type) -> what is exported.
// allFields: every description field; else the ticked ones. notes: the notes column is added.
// The rows: the search result when srchRes and a search result is present, else all rows sorted as
// the combo says.
ExportSpec specFor(const QList<ExportField>& descFields, const ViewChoices& v, bool allFields, bool notes,
                   bool searchPresent);

// SELECT [a], [b], ... FROM [UserTable] [WHERE [RptFlg] = 1 | ORDER BY [sort]]
QString selectSql(const ExportSpec& spec);
// The rows part: " WHERE [RptFlg] = 1", " ORDER BY [sort]" or "".
QString rowsClause(const ExportSpec& spec);
// SELECT COUNT(*) over the same rows.
QString countSql(const ExportSpec& spec);

// Progress of a long export: (done, total) -> false when the user cancelled.
using Progress = std::function<bool(qint64 done, qint64 total)>;

}  // namespace reports
