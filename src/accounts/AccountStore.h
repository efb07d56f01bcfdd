#pragma once
// Reading and writing the accounts of a database file (table UserProfile). Every name and
// password goes into the statements as a bound parameter; names compare without regard to case,
// passwords (in scrambled form) exactly. Rows are addressed by their row id, so two accounts that
// share a name are never mixed up. No widgets here.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

namespace accounts {

inline const QString kSupervisor = QStringLiteral("SUPRVR");
inline const QString kRestricted = QStringLiteral("RESUSR");
inline const QString kAdminName = QStringLiteral("Admin");

// Only the exact level "SUPRVR" has supervisor rights; any other value is the restricted level.
inline bool IsSupervisor(const QString& level) { return level == kSupervisor; }
inline QString EffectiveLevel(const QString& stored) { return IsSupervisor(stored) ? kSupervisor : kRestricted; }
// The built-in account, whatever the letter case it is written in.
inline bool IsAdminName(const QString& name) { return name.compare(kAdminName, Qt::CaseInsensitive) == 0; }
// Names compare as the database compares them.
inline bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The account column holds 8 characters: the scrambled form of a password of up to 8 bytes
// (UTF-8) fits it exactly.
inline constexpr int kPasswordSize = 8;
inline bool PasswordFits(const QString& password) { return password.toUtf8().size() <= kPasswordSize; }
// Whether the scrambled form keeps every character of password: no control character and no byte
// the scrambling drops. Another password never matches it at the login, and none is stored.
bool PasswordScramblesWhole(const QString& password);
// The stored form of a password the user set. A longer password is refused (0x80040E21): cut, it
// would be another password, and scrambled whole it may lose every character and match the empty one.
// A password that does not scramble whole is refused the same way.
QString StoredPassword(const QString& password);

struct Account {
    qint64 key = 0;   // row id
    QString UserName, FullName, UserDescription, UserLevel, PassWrd;   // a null value reads as ""
};

// The rows of "SELECT * FROM UserProfile" in table order, with their columns as stored.
struct AccountRows {
    QStringList columns;
    QList<qint64> keys;
    QList<QVariantList> values;
};

// The stored level of the first account whose name matches (ignoring case) and whose stored
// password equals the scrambled one exactly; nothing when there is none.
std::optional<QString> FindLogin(const QString& connStr, const QString& name, const QString& scrambled);

AccountRows ReadAccounts(const QString& connStr);
std::optional<Account> FindAccount(const QString& connStr, qint64 key);
// Is the name used by an account other than the row `except`?
bool NameTaken(const QString& connStr, const QString& name, qint64 except = 0);
// Returns the new row's id. A stored password longer than the column is refused (0x80040E21).
qint64 AddAccount(const QString& connStr, const Account& a);
// Writes the five columns of row a.key; false when the row is gone. A stored password longer than
// the column is refused (0x80040E21) unless it is the one the row already holds.
bool UpdateAccount(const QString& connStr, const Account& a);
// Deletes the one row; false when it was already gone.
bool DeleteAccount(const QString& connStr, qint64 key);

}  // namespace accounts
