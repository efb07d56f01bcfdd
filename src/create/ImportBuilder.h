#pragma once
// Builds the empty database of the spreadsheet import: UserTable with the record id, one column
// per chosen worksheet column (named as the worksheet names it, typed by its ADO type code), the
// notes column when wanted, the keyword columns and the hidden search and report columns, in the
// layout of the definition form's builder. No UserProfile and no rows. No window is involved.
#include "create/ImportCollections.h"
#include "platform/db/Types.h"

#include <QString>

namespace importdb {

// The entry view shows at most this many description fields and keyword columns.
constexpr int kMaxFields = 20;
constexpr int kMaxKeywords = 20;

inline const QString kTolvaneIdDescription = QStringLiteral("ID to track Tolvane Records");

// The column a worksheet type code becomes: text 202, integer 3, double 5, date 7, currency 6 and
// boolean 11 keep their type; any other code makes no column (false).
bool ColumnFor(int16_t adoType, db::AdoType& type);

// The number of chosen columns that become columns of the new table.
int FieldColumnCount(const ImportFunct& columns);

// The keyword count a keyword box's text gives: "" is 0, otherwise the text as a 16-bit whole
// number (13 when it is no number, 6 when it does not fit).
int KeywordCount(const QString& keyWordsText);

// Why a chosen column cannot become a column of the new table under its name, as a message for
// the user, or "" when every name can be used. Only the columns that become columns are looked
// at, in list order; the first fault found is told. A name is refused when an earlier column has
// it (the database does not tell names apart by case), when it is one of the database's own
// columns (TolvaneID, Memofld, SrchInt, SrchKey, SrchMemo, RptFlg, KeyWord and a number), or when
// the entry view would take the column for one of them (a name beginning with Key, SrchInt,
// SrchKey or Memofld).
QString RefusedColumnName(const ImportFunct& columns);

// Builds the file at path, which must not exist. Before the file is made, the definition is
// refused with error 5 when more than kMaxFields columns or kMaxKeywords keywords are asked for
// or a name is refused (RefusedColumnName gives the description), or with the conversion error
// of the keyword count. Any other failure (a name the catalogue
// refuses) is raised as the catalogue raised it; the file, made empty by
// then, stays for the caller to remove. No connection stays open.
void BuildImportDatabase(const QString& path, const ImportFunct& columns, bool notes, const QString& keyWordsText);

}  // namespace importdb
