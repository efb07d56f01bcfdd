#include "accounts/AccountStore.h"

#include "accounts/CryptPassWrd.h"
#include "platform/core/VbError.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"

namespace accounts {

namespace {

QString text(const QVariant& v) { return v.isNull() ? QString() : v.toString(); }

// A connection that is closed however the caller leaves.
struct OpenConnection {
    db::Connection conn;
    explicit OpenConnection(const QString& connStr) { conn.Open(connStr); }
    ~OpenConnection() { conn.Close(); }
};

void refuseLongPassword() {
    vb::raise(vb::err::DB_E_ERRORSOCCURRED,
              QStringLiteral("A password can only be %1 characters long.").arg(kPasswordSize));
}

}  // namespace

bool PasswordScramblesWhole(const QString& password) {
    for (const QChar c : password)
        if (c.category() == QChar::Other_Control) return false;
    return CryptPassWrd(password).size() == password.toUtf8().size();
}

QString StoredPassword(const QString& password) {
    if (!PasswordFits(password)) refuseLongPassword();
    if (!PasswordScramblesWhole(password))
        vb::raise(vb::err::DB_E_ERRORSOCCURRED, QStringLiteral("A password can only hold printable characters."));
    return CryptPassWrd(password);
}

std::optional<QString> FindLogin(const QString& connStr, const QString& name, const QString& scrambled) {
    OpenConnection c(connStr);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT UserName, PassWrd, UserLevel FROM UserProfile "
                           "WHERE UserName = ?1 COLLATE NOCASE AND PassWrd = ?2 COLLATE BINARY"),
            c.conn, db::adOpenKeyset, db::adLockOptimistic, {name, scrambled});
    std::optional<QString> level;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        level = text(rs.Fields(QStringLiteral("UserLevel")).Value());
    }
    rs.Close();
    return level;
}

AccountRows ReadAccounts(const QString& connStr) {
    OpenConnection c(connStr);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM UserProfile"), c.conn, db::adOpenKeyset, db::adLockReadOnly);
    AccountRows out;
    for (int i = 0; i < rs.FieldCount(); ++i) out.columns << rs.Fields(i).Name();
    if (rs.RecordCount() > 0) rs.MoveFirst();
    while (!rs.Eof()) {
        QVariantList row;
        for (int i = 0; i < rs.FieldCount(); ++i) row << rs.Fields(i).Value();
        out.keys << rs.Bookmark();
        out.values << row;
        rs.MoveNext();
    }
    rs.Close();
    return out;
}

std::optional<Account> FindAccount(const QString& connStr, qint64 key) {
    if (key <= 0) return std::nullopt;
    OpenConnection c(connStr);
    db::Recordset rs;
    rs.Open(QStringLiteral("SELECT * FROM UserProfile WHERE _rowid_ = ?1"), c.conn, db::adOpenKeyset,
            db::adLockReadOnly, {key});
    std::optional<Account> found;
    if (rs.RecordCount() > 0) {
        rs.MoveFirst();
        Account a;
        a.key = rs.Bookmark();
        auto field = [&](const char* name) {
            return rs.HasField(QLatin1String(name)) ? text(rs.Fields(QLatin1String(name)).Value()) : QString();
        };
        a.UserName = field("UserName");
        a.FullName = field("FullName");
        a.UserDescription = field("UserDescription");
        a.UserLevel = field("UserLevel");
        a.PassWrd = field("PassWrd");
        found = a;
    }
    rs.Close();
    return found;
}

bool NameTaken(const QString& connStr, const QString& name, qint64 except) {
    OpenConnection c(connStr);
    return !c.conn
                .Scalar(QStringLiteral("SELECT 1 FROM UserProfile WHERE UserName = ?1 COLLATE NOCASE AND _rowid_ <> ?2"),
                        {name, except})
                .isNull();
}

qint64 AddAccount(const QString& connStr, const Account& a) {
    if (a.PassWrd.size() > kPasswordSize) refuseLongPassword();
    OpenConnection c(connStr);
    c.conn.Execute(QStringLiteral("INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) "
                                  "VALUES (?1, ?2, ?3, ?4, ?5)"),
                   {a.UserName, a.FullName, a.UserDescription, a.UserLevel, a.PassWrd});
    return c.conn.LastInsertRowId();
}

bool UpdateAccount(const QString& connStr, const Account& a) {
    OpenConnection c(connStr);
    if (a.PassWrd.size() > kPasswordSize &&
        c.conn.Scalar(QStringLiteral("SELECT 1 FROM UserProfile WHERE _rowid_ = ?1 AND PassWrd = ?2 COLLATE BINARY"),
                      {a.key, a.PassWrd})
            .isNull())
        refuseLongPassword();
    return c.conn.Execute(QStringLiteral("UPDATE UserProfile SET UserName = ?1, FullName = ?2, UserDescription = ?3, "
                                         "UserLevel = ?4, PassWrd = ?5 WHERE _rowid_ = ?6"),
                          {a.UserName, a.FullName, a.UserDescription, a.UserLevel, a.PassWrd, a.key}) > 0;
}

bool DeleteAccount(const QString& connStr, qint64 key) {
    OpenConnection c(connStr);
    return c.conn.Execute(QStringLiteral("DELETE FROM UserProfile WHERE _rowid_ = ?1"), {key}) > 0;
}

}  // namespace accounts
