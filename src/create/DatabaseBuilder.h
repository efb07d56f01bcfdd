#pragma once
// Builds a new database file from a definition as the definition form holds it: the table
// UserTable (record id, the description fields, notes, keywords and the hidden search and report
// columns) and, with user security, the table UserProfile. No window is involved except the one
// error message; the form's CreateDatabases reads its controls into a DatabaseDefinition and
// calls BuildDatabase.
#include "platform/db/Catalog.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

// One row of the form: Text3(i), Combo1(i) and cmbDec(i).
struct DbFieldRow {
    QString name;
    QString type;       // "Text", "FilePath", "Number/Integer", "Number/Double", "Date/Time", "Currency", "True/False"
    QString decimals;   // decimal places of a "Number/Double" field, "1" to "9"
};

struct DatabaseDefinition {
    static constexpr int kRows = 20;   // the form has 20 field rows
    QString noFieldsText;              // txtNoFields: the number of fields, as typed
    QList<DbFieldRow> rows;            // rows 1..20 of the form (rows[0] is row 1); missing rows are empty
    bool bMemo = false;                // notes wanted
    QString keyWordsText;              // txtKeyWrds: the number of keyword columns ("" counts as 0)
    bool bUserSec = false;             // user accounts wanted
    // With accounts: the first account (Admin, supervisor, empty password) is written in the same
    // transaction as the tables, so a file with accounts always has one to log in with.
    bool firstAccount = false;
};

struct DatabaseBuildResult {
    bool bCreateFailed = false;        // the form's bCreateFailed (-1 as true)
    int NoFields = 0;                  // the converted field count, as the form keeps it
    int32_t errorNumber = 0;           // the error shown, when the build failed
    QString errorDescription;
};

// Builds the file at sNewFileName, which must not exist. On failure the one message box
// " Error No. <number> " CR LF <description>, titled "Create New Database Error", critical icon, OK
// only, is shown and bCreateFailed is true; the file is then left on disk for the caller to
// delete, holding no table (the tables are appended in one transaction, so a failure never leaves
// a UserTable without the UserProfile that was asked for). No connection stays open.
DatabaseBuildResult BuildDatabase(const QString& sNewFileName, const DatabaseDefinition& def);

// The parts of the file layout, for the builders that make files of the same kind.
namespace dblayout {
inline const QString kTolvaneIdDescription = QStringLiteral("ID to track Tolvane Records(Program Use Only) DO NOT DELETE");
inline const QString kSrchIntDescription = QStringLiteral("SearchID to track Field Search Records(Program Use Only) DO NOT DELETE");
inline const QString kSrchKeyDescription = QStringLiteral("SearchID to track KeyWord Search Records(Program Use Only) DO NOT DELETE");
inline const QString kSrchMemoDescription = QStringLiteral("SearchID to track memo Text Search Records(Program Use Only) DO NOT DELETE");
// The connection string a new file is created on.
QString CreateConnStr(const QString& path);
// The first account of a new file with accounts, on its connection.
void AddFirstAccount(db::Connection& conn);
// UserTable's record id column and its primary key (steps 4 and 5 of the build).
void AppendRecordId(db::TableDef& table, const QString& description = kTolvaneIdDescription);
// The hidden columns SrchInt, SrchKey, [SrchMemo], RptFlg.
void AppendHiddenColumns(db::TableDef& table, bool withNotes);
// The UserProfile table.
db::TableDef UserProfileTable();
// A new file at path holding UserTable alone: its record id, the columns `columns` appends, then
// the hidden columns. The catalogue is closed whether or not the file could be made.
void CreateUserTable(const QString& path, const QString& idDescription, bool withNotes,
                     const std::function<void(db::TableDef&)>& columns);
}  // namespace dblayout
