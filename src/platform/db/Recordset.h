#pragma once
// An ADO-like record set over SQLite.
//
// A keyset cursor: Open reads the row ids of the query's rows (and nothing else) and finalizes
// its statement; the values of the current row are read, when first asked for, with a statement
// of their own that is finalized at once. So a set of 100,000 rows opens and moves to its end at
// once, holds under 1 MB, and no statement stays open between calls.
//
// Updatable sets are those of the form "SELECT * FROM <table> [WHERE ...] [ORDER BY ...]" opened
// with a lock type other than adLockReadOnly. A SELECT of named columns of one table is a
// read-only keyset; any other SELECT (DISTINCT, aggregates, joins, views) is read into memory
// as a read-only set. A statement that is not a SELECT is run, and the set stays closed.
//
// (The one statement a set keeps is the prepared row read, always reset after use: it holds no
// lock and is never active between calls.)
//
// Bookmarks are the rows' ids (> 0) and stay valid across Requery; the row pending after AddNew
// has the bookmark 0. Moving off an edited or added row stores it first (the implicit Update).
#include "platform/db/Connection.h"
#include "platform/db/TypeMap.h"
#include "platform/db/Types.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace db {

class Recordset;

class Field {
public:
    QString Name() const { return name_; }
    AdoType Type() const { return type_.type; }
    qint64 DefinedSize() const { return type_.definedSize; }
    int Precision() const { return type_.precision; }
    int NumericScale() const { return type_.scale; }
    QString DeclaredType() const { return declared_; }
    // The current row's value (the edited value while the row is being edited or added).
    // No current row: 3021.
    QVariant Value() const;
    // Changes the current row's value; the change is stored by Update or by moving off the row.
    // A value the column cannot take: 0x80040E21; a read-only set: 3251.
    void SetValue(const QVariant& value);

private:
    friend class Recordset;
    Recordset* rs_ = nullptr;
    int index_ = 0;
    QString name_;
    QString origin_;     // the table column it comes from ("" for an expression)
    QString declared_;
    ColumnType type_;
};

class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Open(const QString& sql, Connection& conn, CursorType cursor = adOpenKeyset,
              LockType lock = adLockOptimistic, const QVariantList& params = {});
    // A pending change must be stored or cancelled first (3219).
    void Close();
    bool IsOpen() const { return open_; }
    QString Source() const { return sql_; }
    bool Updatable() const { return updatable_; }

    bool Bof() const;
    bool Eof() const;
    qint64 RecordCount() const;        // a row pending after AddNew counts
    qint64 AbsolutePosition() const;   // 1-based; adPosBOF / adPosEOF / adPosUnknown otherwise

    void MoveFirst();                  // an empty set: 3021
    void MoveLast();
    void MoveNext();                   // at EOF: 3021
    void MovePrevious();               // at BOF: 3021
    void Move(qint64 rows);

    qint64 Bookmark() const;           // no current row: 3021; the pending new row: 0
    void SetBookmark(qint64 bookmark); // not in the set: 0x80040E0E

    // Finds the next row (or the previous one, with forward false) that meets a criterion of the
    // form "<column> <op> <value>" (op one of = <> < > <= >= LIKE; value a number, 'text',
    // #date#, True, False). Starts at the current row, after skipping `skip` rows. Not found:
    // EOF (or BOF).
    void Find(const QString& criteria, qint64 skip = 0, bool forward = true);

    int FieldCount() const { return int(fields_.size()); }
    Field& Fields(int index);                    // out of range: 3265
    Field& Fields(const QString& name);          // not a field: 3265 (names compared without case)
    bool HasField(const QString& name) const;

    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    EditModeEnum EditMode() const { return editMode_; }
    // Reads the keys again (a pending change is dropped) and moves to the first row.
    void Requery();
    // Whether nothing has been written to the file since the keys were read, but through this
    // set (whose writes keep its keys): reading them again would give the same set.
    bool KeysCurrent() const;

    // The rows from the current one on, as lists of values (at most maxRows; -1 all), read a
    // batch of rows per statement; the set is left at EOF, as ADO's GetRows leaves it.
    QList<QVariantList> GetRows(qint64 maxRows = -1);

    // Reading by position, for grids that read only the rows they paint: the rows at 0-based
    // positions first .. first + count - 1, converted as Value reads them, without moving the
    // current row. A row gone from the file comes back as an empty list. Positions past the end
    // are left out.
    QList<QVariantList> RowsAt(qint64 first, qint64 count) const;
    // The same, of the listed fields only (the others Null; a snapshot gives all), read on conn:
    // another connection to the file. It reads nothing of the set but its keys and fields, which
    // only Open and Requery change, so readers on other threads, each with a connection of its
    // own, can share one set.
    QList<QVariantList> RowsAt(Connection& conn, qint64 first, qint64 count, const std::vector<int>& fields) const;

    // Called after every change of the current row (the data control's MoveComplete).
    void SetMoveCompleteHandler(std::function<void()> handler) { moveComplete_ = std::move(handler); }
    // Called after a row was stored through this set, with the row's stored values in field order
    // before and after: an insert has no before, a delete no after. An update that changed nothing
    // is not reported.
    using WriteHandler = std::function<void(const QVariantList& before, const QVariantList& after)>;
    void SetWriteHandler(WriteHandler handler) { written_ = std::move(handler); }

    Connection ActiveConnection() const;

private:
    friend class Field;
    QVariant fieldValue(int index) const;
    void setFieldValue(int index, const QVariant& value);

    void requireOpen() const;
    void requireCurrent() const;
    sqlite3* db() const;
    void loadKeys(const QVariantList& params);
    void loadSnapshot(const QVariantList& params);
    void loadRow() const;                 // the current row's values into rowCache_
    // Stored values of the keyset rows at positions [from, to), a batch per statement, in the
    // set's order; a row gone from the file gives an empty list. Read on the connection h, of the
    // fields listed in only (the others Null) when it is given.
    QList<QVariantList> readStoredRows(sqlite3* h, qint64 from, qint64 to, const std::vector<int>* only = nullptr) const;
    // RowsAt on the connection h (null: the set's own), of the fields in only when it is given.
    QList<QVariantList> rowsAt(sqlite3* h, qint64 first, qint64 count, const std::vector<int>* only) const;
    QVariantList convertRow(const QVariantList& stored) const;
    void implicitUpdate();
    void setPosition(qint64 pos);         // moves and notifies
    void notifyMove();
    qint64 indexOfKey(qint64 key) const;  // -1 when absent
    void resetEdit();
    void insertRow();
    void updateRow();

    enum class Kind { Keyset, Snapshot };

    std::shared_ptr<detail::ConnState> conn_;
    bool open_ = false;
    Kind kind_ = Kind::Keyset;
    bool updatable_ = false;
    QString sql_;              // the text as given
    QString keySql_;           // the text that reads the row ids
    QString table_;            // the one table of a keyset
    QString rowSql_;           // reads one row by its id
    QString rowidColumn_;      // the table's INTEGER PRIMARY KEY column, if any
    QVariantList params_;
    std::vector<Field> fields_;

    std::vector<qint64> keys_;              // row ids (snapshot: row numbers from 1)
    mutable std::vector<quint32> byKey_;    // positions sorted by key, built when first needed
    mutable bool byKeyValid_ = false;
    bool keysAscending_ = true;
    qint64 readAtVersion_ = -1, readAtChanges_ = -1;   // the file's state when the keys were read
    void noteKeysRead();
    void noteOwnWrite(qint64 changesBefore);
    std::vector<QVariantList> snapshot_;    // a snapshot's rows

    qint64 pos_ = -1;                       // -1 BOF, keys_.size() EOF
    bool onDeleted_ = false;                // the current row was deleted through this set

    // The prepared statement that reads one row by its id, kept between reads and reset after
    // each one: a reset statement holds no lock, so it blocks no other connection's writes,
    // and a fresh prepare per move would cost four times the read itself.
    mutable sqlite3_stmt* rowStmt_ = nullptr;
    mutable sqlite3* rowStmtDb_ = nullptr;
    void dropRowStatement() const;

    mutable bool rowLoaded_ = false;
    mutable bool rowMissing_ = false;       // the row is gone from the file
    mutable QVariantList row_;              // stored values of the current row

    EditModeEnum editMode_ = adEditNone;
    QVariantList edit_;                     // stored values being edited
    std::vector<bool> changed_;
    qint64 posBeforeAdd_ = -1;

    std::function<void()> moveComplete_;
    WriteHandler written_;
};

}  // namespace db
