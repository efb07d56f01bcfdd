#pragma once
// Database files with accounts for the account tests, laid out as the builder writes them.
#include "accounts/CryptPassWrd.h"
#include "platform/db/Connection.h"
#include "shell/Module1.h"
#include "support/Fixture.h"
#include "support/TestDb.h"

#include <QVariantList>

namespace accountsdb {

inline db::Connection connect(const QString& path) {
    db::Connection c;
    c.Open(testdb::connStr(path));
    return c;
}

// A database built by the program's builder with user security (one text field), holding the
// first account as a new database gets it: Admin with the empty password.
inline QString makeDb(const Fixture& fx, const QString& name = QStringLiteral("acc.mdb")) {
    const QString path = testdb::build(fx.path(name), {{"Title", "Text", ""}}, false, 0, true);
    testdb::exec(path, "INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) "
                       "VALUES ('Admin', 'Administrator', 'Admin Has Full Rights On Database', 'SUPRVR', '')");
    return path;
}

// Makes the file the open database.
inline void open(const QString& path, const QString& user = QStringLiteral("Admin"),
                 const QString& level = QStringLiteral("SUPRVR")) {
    openDatabase(path, level, true, user);
}

// Adds an account with the password stored as the program stores it (a null password stays null).
inline void addAccount(const QString& path, const QString& name, const QString& level, const QVariant& password) {
    const QVariant stored = password.isNull() ? QVariant() : QVariant(CryptPassWrd(password.toString()));
    connect(path).Execute(QStringLiteral("INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) "
                                         "VALUES (?1, ?2, '', ?3, ?4)"),
                          {name, name + QStringLiteral(" Full"), level, stored});
}

// One column of every account, in table order.
inline QStringList column(const QString& path, const QString& col) {
    const QString all = testdb::cli(path, QStringLiteral("SELECT group_concat(ifnull(%1, '<null>'), '|') FROM "
                                                         "(SELECT %1 FROM UserProfile ORDER BY _rowid_)").arg(col));
    return all.isEmpty() ? QStringList() : all.split(QLatin1Char('|'));
}

// The stored password of the account of exactly this name.
inline QVariant passwordOf(const QString& path, const QString& name) {
    return connect(path).Scalar(QStringLiteral("SELECT PassWrd FROM UserProfile WHERE UserName = ?1 COLLATE BINARY"), {name});
}

}  // namespace accountsdb
