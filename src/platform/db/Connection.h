#pragma once
// An ADO-like connection over one SQLite database file.
//
// Every connection opens an existing file only (never creates one), switches off SQLite's
// double-quoted string fallback, keeps the rollback journal (journal_mode DELETE) and waits only
// briefly for a lock. No statement stays open between calls, so a connection never blocks the
// writes of another one.
#include "platform/db/Types.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

namespace detail {
struct ConnState;
}

class Connection {
public:
    Connection();
    explicit Connection(std::shared_ptr<detail::ConnState> state);   // another reference to a connection
    ~Connection();
    // Copies refer to the same open connection, as ADO object references do.
    Connection(const Connection&) = default;
    Connection& operator=(const Connection&) = default;

    // The text after "Data Source=" to the end of the connection string ("" when it has none);
    // a plain path without "Data Source=" is returned as it is.
    static QString DataSourceOf(const QString& connStr);
    // The connection string of the program's own form for a path.
    static QString ConnStrOf(const QString& path);

    // What Open does with a file kept in another journal mode (WAL): Rollback switches it to the
    // rollback journal, which writes the file's header; AsFound leaves it as it is, for the check
    // at open, which must write nothing into a file it may refuse.
    enum class Journal { Rollback, AsFound };
    // Opens the file the connection string names. A missing file, a file that is not a
    // database and a locked file raise E_FAIL_ (0x80004005); a file that begins with SQLite's
    // header but cannot be read raises the error of a damaged file (IsDamagedError); a string
    // naming no file raises DB_SEC_E_AUTH_FAILED (the database has not been defined); an open
    // connection raises 3705.
    void Open(const QString& connStr, Journal journal = Journal::Rollback);
    void Close();
    bool IsOpen() const;
    // Whether the open file takes no writes (its permissions, or its folder's, allow none).
    bool ReadOnly() const;
    // Whether a file (or its folder) is one that nobody may write to; such a file is opened for
    // reading only.
    static bool ReadOnlyByPermissions(const QString& path);
    // The check at open, which reads a few pages whatever the file's size: the header, the
    // schema, the page count against the file's length, and the first and last rows of every
    // table. False for a file found damaged; damage elsewhere is met (and named) when read.
    bool OpenCheck();
    QString Path() const;              // the open file's path
    QString ConnectionString() const;

    // Runs action statements (several, separated by ';', are run in order); params are bound to
    // ?1..?n of each statement that has parameters. Returns the rows the last statement changed.
    qint64 Execute(const QString& sql, const QVariantList& params = {});
    // The first column of the first row of a query (a null QVariant when there is no row).
    QVariant Scalar(const QString& sql, const QVariantList& params = {});

    // The tables-schema test: is there an object of this type ("TABLE" or "VIEW") with this
    // name (compared without regard to case)?
    bool HasTable(const QString& name, const QString& type = QStringLiteral("TABLE"));
    QStringList TableNames();          // user tables, in the order of creation
    qint64 RowCount(const QString& table);  // no such table: DB_E_NOTABLE
    // Whether the table holds a row: reads one row at most, whatever the table's size.
    bool HasRows(const QString& table);     // no such table: DB_E_NOTABLE

    // Transactions (not nested).
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    qint64 LastInsertRowId() const;
    sqlite3* handle() const;           // null when closed

    // For the record set and the catalogue: the shared state that outlives this object.
    std::shared_ptr<detail::ConnState> state() const { return state_; }

    // Bracketed identifier, for SQL our code writes. Names holding ']' are refused by the
    // catalogue; a name from elsewhere that holds one is written in double quotes instead.
    static QString Bracket(const QString& identifier);

private:
    sqlite3* requireOpenDb() const;
    std::shared_ptr<detail::ConnState> state_;
};

// Registers the program's SQL functions on a connection; Open does it on every connection.
//   casefold(x): text folded to one case for every letter (not only ASCII), for "contains" and
//   equality that ignore case; other values unchanged.
//   casefold_in(k, v1, ..., vn): 1 when some text vi folded equals k (given folded), else 0.
void registerFunctions(sqlite3* db);

namespace detail {

struct ConnState {
    sqlite3* db = nullptr;
    QString path;
    QString connStr;
    ~ConnState();
    void close();
};

// A prepared statement that is finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const QString& sql);
    // Prepares the first statement of utf8 from offset on and moves offset past it; isNull() when
    // only blanks or comments were left.
    Statement(sqlite3* db, const QByteArray& utf8, int& offset);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    bool isNull() const { return stmt_ == nullptr; }
    void bind(int index, const QVariant& value);   // 1-based
    void bindAll(const QVariantList& params);
    bool step();                                   // true on a row, false when done; raises on error
    QVariant column(int index) const;              // by storage class
    int columnCount() const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// The value of a result column, by its storage class.
QVariant columnValue(sqlite3_stmt* stmt, int index);

}  // namespace detail

}  // namespace db
