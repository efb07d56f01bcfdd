#pragma once
// The shared state of the open database and the signed-in user, with its accessors and the
// operations on the open database that need no window (those that reach the views are in
// Module1Views.h). Everything runs on the one window thread.
#include "shell/DBDef.h"

#include <QString>
#include <QStringList>
#include <cstdint>

namespace Module1 {

// State of the open database and the signed-in user.
inline QString CurrentDBPath;
inline QString DBConnStr;
inline bool DbUndefined = false;
inline bool DBOpen = false;
inline bool CloseConfirmed = false;
inline int KeyWrdCount = 0;
inline bool CreatingDB = false;
inline bool SrchFlg = false;
inline QString SrchSQL;            // the search's final SELECT text, read by the reports
inline int32_t CurRecID = 0;
inline QString CurrentUser;
inline QString CurrentUserLevel;
inline bool SecurityOn = false;
inline QString IniPath;
inline QString HelpFilePath;
inline QString FrmColorVal;
inline QString TextColorVal;
inline QString ButtonColorVal;
inline bool SilentClose = false;
inline QString SpreadsheetPath;

// Shared flags that belong to the reports and exports.
inline bool AllRecsFlg = false;
inline bool bExcelAllFlds = false, bExcelUsrFlds = false, bExcelApply = false;
inline bool bExpDBAllFlds = false, bExpDBUsrFlds = false, bExpDBApply = false;
inline bool bRptWide = false, bRptLandscape = false, bRptPortrait = false, bRptFewCols = false;
// Shared between the entry view and the search.
inline int64_t RecBookmark = 0;
inline bool KeyListChg = false;
inline QStringList KeyWrdList;
// The entry view's field list (DataInput::DBDefMain), read by the search, reports and labels; it
// outlives the view's window.
inline DBDef EntryFields;
// Shared by the account windows.
inline bool AddUserMode = false;
inline QString SelUserName;

// Accessors.
void SetKeyWrdCount(int count);
int GetKeyWrdCount();
void SetCurRecID(int32_t id);
QString GetCurrentUser();
void SetCurrentUser(const QString& user);
QString GetCurrentUserLevel();
void SetCurrentUserLevel(const QString& level);
QString GetDBConnStr();
void SetFrmColor(const QString& colour);
QString GetFrmColor();
void SetTextColor(const QString& colour);
QString GetTextColor();
void SetButtonColor(const QString& colour);
void SetSpreadsheetPath(const QString& path);
QString GetSpreadsheetPath();

// DBConnStr := the connection string naming CurrentDBPath.
void BuildConnStr();
// Whether the file at CurrentDBPath is a database of this program (it holds the table UserTable);
// sets SecurityOn from the presence of UserProfile. Never creates a file. A file another program
// holds locked and a damaged file raise their error (db::causeOf names the lock, db::IsDamagedError
// the damage).
bool CheckDBStructure();
// Whether the open file has the columns the views and the sign-in read (the record id, the
// account columns when the file has accounts); run after CheckDBStructure accepted the file.
bool HasRequiredColumns();

// Keyword helpers.
// Number of records of UserTable times 20: the upper bound of the keyword array.
int64_t KeyArraySize();
// Packs the distinct keywords (compared without regard to case) at the front of the array and
// blanks the rest; returns the number removed.
int PackKeywords(QStringList& keywords);
// Number of description fields in the entry view's field list.
int CountDescFlds();

// Back to the state at start (tests).
void Reset();

}  // namespace Module1
