#include "shell/Module1.h"

#include "platform/core/UiServices.h"
#include "platform/db/Connection.h"
#include "platform/db/ErrorMap.h"

#include <QSet>

namespace Module1 {

void SetKeyWrdCount(int count) { KeyWrdCount = count; }
int GetKeyWrdCount() { return KeyWrdCount; }
void SetCurRecID(int32_t id) { CurRecID = id; }
QString GetCurrentUser() { return CurrentUser; }
void SetCurrentUser(const QString& user) { CurrentUser = user; }
QString GetCurrentUserLevel() { return CurrentUserLevel; }
void SetCurrentUserLevel(const QString& level) { CurrentUserLevel = level; }
QString GetDBConnStr() { return DBConnStr; }
void SetFrmColor(const QString& colour) { FrmColorVal = colour; }
QString GetFrmColor() { return FrmColorVal; }
void SetTextColor(const QString& colour) { TextColorVal = colour; }
QString GetTextColor() { return TextColorVal; }
void SetButtonColor(const QString& colour) { ButtonColorVal = colour; }
void SetSpreadsheetPath(const QString& path) { SpreadsheetPath = path; }
QString GetSpreadsheetPath() { return SpreadsheetPath; }

void BuildConnStr() {
    DBConnStr.clear();
    DBConnStr = QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + CurrentDBPath;
}

namespace {
bool hasColumns(db::Connection& conn, const QString& table, const QStringList& columns) {
    QStringList bracketed;
    for (const QString& c : columns) bracketed << db::Connection::Bracket(c);
    try {
        conn.Scalar(QStringLiteral("SELECT %1 FROM %2 WHERE 0").arg(bracketed.join(QLatin1Char(',')), db::Connection::Bracket(table)));
    } catch (const vb::VbError& e) {
        if (e.number == vb::err::DB_E_PARAMNOTOPTIONAL) return false;
        throw;
    }
    return true;
}
}  // namespace

bool HasRequiredColumns() {
    db::Connection conn;
    conn.Open(DBConnStr, db::Connection::Journal::AsFound);
    return hasColumns(conn, QStringLiteral("UserTable"), {"TolvaneID"}) &&
           (!SecurityOn || hasColumns(conn, QStringLiteral("UserProfile"), {"UserName", "UserLevel", "PassWrd"}));
}

bool CheckDBStructure() {
    // No file named: refused as silently as a file the provider cannot open.
    if (CurrentDBPath.isEmpty()) {
        BuildConnStr();
        return false;
    }
    try {
        BuildConnStr();
        // Nothing is written into a file the check may refuse: its journal mode is switched once
        // the file is accepted, by the connections that use it.
        db::Connection conn;
        conn.Open(DBConnStr, db::Connection::Journal::AsFound);
        const bool hasUserTable = conn.HasTable(QStringLiteral("UserTable"), QStringLiteral("TABLE"));
        SecurityOn = conn.HasTable(QStringLiteral("UserProfile"), QStringLiteral("TABLE"));
        // The check reads a few pages only; damage elsewhere is met by the view's load.
        if (hasUserTable && !conn.OpenCheck()) db::raiseDamaged(CurrentDBPath);
        conn.Close();
        return hasUserTable;
    } catch (const vb::VbError& e) {
        // A file another program holds locked and a damaged file are the commands' to name.
        if (db::causeOf(e) == db::Cause::Locked || db::IsDamagedError(e)) throw;
        if (e.number != vb::err::E_FAIL_) vb::ShowErrorPair(e);
        return false;
    }
}

int64_t KeyArraySize() {
    db::Connection conn;
    conn.Open(DBConnStr);
    const int64_t count = conn.RowCount(QStringLiteral("UserTable"));
    conn.Close();
    return count * 20;
}

int PackKeywords(QStringList& keywords) {
    // Empty entries count as duplicates, so none reaches a list.
    QSet<QString> seen;
    int d = 0;
    for (int i = 0; i < keywords.size(); ++i) {
        const QString key = keywords[i].toCaseFolded();
        if (keywords[i].isEmpty() || seen.contains(key)) {
            keywords[i].clear();
            ++d;
        } else {
            seen.insert(key);
            if (d > 0) {
                keywords[i - d] = keywords[i];
                keywords[i].clear();
            }
        }
    }
    return d;
}

int CountDescFlds() {
    static const QStringList hidden = {"SrchInt", "KeyWord", "SrchKey", "Memofld", "RptFlg", "TolvaneID"};
    int count = 0;
    for (const auto& f : EntryFields.DBFldFunct()) {
        if (!hidden.contains(f->FldName.left(7))) ++count;
    }
    return count;
}

void Reset() {
    CurrentDBPath.clear();
    DBConnStr.clear();
    DbUndefined = DBOpen = CloseConfirmed = CreatingDB = SrchFlg = SecurityOn = SilentClose = false;
    SrchSQL.clear();
    KeyWrdCount = 0;
    CurRecID = 0;
    CurrentUser.clear();
    CurrentUserLevel.clear();
    IniPath.clear();
    HelpFilePath.clear();
    FrmColorVal.clear();
    TextColorVal.clear();
    ButtonColorVal.clear();
    SpreadsheetPath.clear();
    AllRecsFlg = bExcelAllFlds = bExcelUsrFlds = bExcelApply = false;
    bExpDBAllFlds = bExpDBUsrFlds = bExpDBApply = false;
    bRptWide = bRptLandscape = bRptPortrait = bRptFewCols = false;
    RecBookmark = 0;
    KeyListChg = false;
    KeyWrdList.clear();
    AddUserMode = false;
    SelUserName.clear();
}

}  // namespace Module1
