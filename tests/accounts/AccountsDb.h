#pragma once
// Database files with accounts for the account tests, laid out as the builder writes them.
#include "accounts/CryptPassWrd.h"
#include "create/DatabaseBuilder.h"
#include "platform/db/Connection.h"
#include "shell/Module1.h"
#include "support/Fixture.h"

#include <QVariantList>

namespace accountsdb {

inline QString connStr(const QString& path) { return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path; }

// A database built by the program's builder with user security (one text field), holding the
// first account as a new database gets it: Admin with the empty password.
inline QString makeDb(const Fixture& fx, const QString& name = QStringLiteral("acc.mdb")) {
    const QString path = fx.path(name);
    DatabaseDefinition def;
    def.noFieldsText = QStringLiteral("1");
    def.rows = {DbFieldRow{QStringLiteral("Title"), QStringLiteral("Text"), QString()}};
    def.keyWordsText = QStringLiteral("0");
    def.bUserSec = true;
    if (BuildDatabase(path, def).bCreateFailed) qFatal("the builder failed");
    db::Connection c;
    c.Open(connStr(path));
    c.Execute(QStringLiteral("INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) "
                             "VALUES ('Admin', 'Administrator', 'Admin Has Full Rights On Database', 'SUPRVR', '')"));
    c.Close();
    return path;
}

// Makes the file the open database.
inline void open(const QString& path, const QString& user = QStringLiteral("Admin"),
                 const QString& level = QStringLiteral("SUPRVR")) {
    Module1::CurrentDBPath = path;
    Module1::BuildConnStr();
    Module1::DBOpen = true;
    Module1::SecurityOn = true;
    Module1::SetCurrentUser(user);
    Module1::SetCurrentUserLevel(level);
}

inline db::Connection connect(const QString& path) {
    db::Connection c;
    c.Open(connStr(path));
    return c;
}

// Adds an account with the password stored as the program stores it (a null password stays null).
inline void addAccount(const QString& path, const QString& name, const QString& level, const QVariant& password) {
    db::Connection c = connect(path);
    const QVariant stored = password.isNull() ? QVariant() : QVariant(CryptPassWrd(password.toString()));
    c.Execute(QStringLiteral("INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) "
                             "VALUES (?1, ?2, '', ?3, ?4)"),
              {name, name + QStringLiteral(" Full"), level, stored});
    c.Close();
}

// One column of every account, in table order.
inline QStringList column(const QString& path, const QString& col) {
    db::Connection c = connect(path);
    const QString all = c.Scalar(QStringLiteral("SELECT group_concat(ifnull(%1, '<null>'), '|') FROM "
                                                "(SELECT %1 FROM UserProfile ORDER BY _rowid_)").arg(col)).toString();
    c.Close();
    return all.isEmpty() ? QStringList() : all.split(QLatin1Char('|'));
}

// The stored password of the account of exactly this name.
inline QVariant passwordOf(const QString& path, const QString& name) {
    db::Connection c = connect(path);
    const QVariant v = c.Scalar(QStringLiteral("SELECT PassWrd FROM UserProfile WHERE UserName = ?1 COLLATE BINARY"), {name});
    c.Close();
    return v;
}

}  // namespace accountsdb
