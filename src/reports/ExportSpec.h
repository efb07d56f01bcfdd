#pragma once
// What an export copies: which columns of UserTable, which rows and in what order. The spreadsheet,
// output database and mailing-label exports all read their rows through one SELECT made here, with
// every column name bracketed, so names with blanks, apostrophes or SQL words work.
#include "reports/ReportChoices.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

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
};

// What is exported: every description field of the field list (entries 1..n: name and type) when
// allFields, else the ticked fields of the view; notes: the notes column is added. The rows: the
// search result when it is chosen and a search result is present, else all rows in the sort order.
ExportSpec specFor(const QList<ExportField>& descFields, const ReportChoices& v, bool allFields, bool notes,
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
