#include "platform/db/Recordset.h"

#include "platform/core/VbError.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/JetSql.h"

#include <QRegularExpression>
#include <algorithm>
#include <numeric>
#include <sqlite3.h>

namespace db {

using detail::Statement;

namespace {

[[noreturn]] void raiseClosed() {
    vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
}
[[noreturn]] void raiseNotUpdatable() {
    vb::raise(err::FeatureNotAvailable,
              QStringLiteral("Current Recordset does not support updating. This may be a limitation of the provider, "
                             "or of the selected locktype."));
}

// An identifier as written in SQL, without its quoting.
QString unquoteIdentifier(const QString& tok) {
    if (tok.size() >= 2 && ((tok.front() == '[' && tok.back() == ']') || (tok.front() == '"' && tok.back() == '"') ||
                            (tok.front() == '`' && tok.back() == '`')))
        return tok.mid(1, tok.size() - 2);
    return tok;
}

// Does the part of a SELECT after its first table name keep the query on that one table, with no
// grouping or compound? (Quoted text, bracketed names and parentheses are stepped over.)
bool restKeepsOneTable(const QString& rest) {
    static const QStringList clauseStart = {"WHERE", "ORDER", "LIMIT"};
    static const QStringList refused = {"GROUP", "HAVING", "UNION", "INTERSECT", "EXCEPT", "WINDOW",
                                        "JOIN", "NATURAL", "VALUES"};
    bool inFrom = true;
    int depth = 0;
    const int n = int(rest.size());
    for (int i = 0; i < n;) {
        const QChar c = rest[i];
        if (c == '\'' || c == '"' || c == '`' || c == '[') {
            const QChar close = c == '[' ? QChar(']') : c;
            int j = i + 1;
            while (j < n) {
                if (rest[j] == close) {
                    if (c != '[' && j + 1 < n && rest[j + 1] == close) {   // a doubled quote
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            i = j + 1;
            continue;
        }
        if (c == '(') { ++depth; ++i; continue; }
        if (c == ')') { --depth; ++i; continue; }
        if (c == ',' && depth == 0 && inFrom) return false;   // a second table
        if (c.isLetter() || c == '_') {
            int j = i;
            while (j < n && (rest[j].isLetterOrNumber() || rest[j] == '_')) ++j;
            const QString w = rest.mid(i, j - i).toUpper();
            if (depth == 0) {
                if (refused.contains(w)) return false;
                if (clauseStart.contains(w)) inFrom = false;
            }
            i = j;
            continue;
        }
        if (c == ';') return false;
        ++i;
    }
    return true;
}

}  // namespace

// ---- Field ----

QVariant Field::Value() const { return rs_->fieldValue(index_); }
void Field::SetValue(const QVariant& value) { rs_->setFieldValue(index_, value); }

// ---- Recordset: opening ----

Recordset::Recordset() = default;
Recordset::~Recordset() { dropRowStatement(); }

Connection Recordset::ActiveConnection() const { return Connection(conn_); }

sqlite3* Recordset::db() const {
    if (!conn_ || !conn_->db) raiseClosed();
    return conn_->db;
}

void Recordset::Open(const QString& sql, Connection& conn, CursorType, LockType lock, const QVariantList& params) {
    if (open_) vb::raise(3705, QStringLiteral("Operation is not allowed when the object is open."));
    if (!conn.IsOpen())
        vb::raise(3709, QStringLiteral("The connection cannot be used to perform this operation. It is either "
                                       "closed or invalid in this context."));
    const QString text = translateJetSql(sql);
    sqlite3* h = conn.handle();
    std::vector<Field> fields;
    {
        Statement st(h, text);   // no such table, no such column, bad SQL: raised here
        if (st.isNull() || sqlite3_column_count(st.get()) == 0) {
            // An action statement: run it; the set stays closed.
            conn.Execute(text, params);
            return;
        }
        const int nc = sqlite3_column_count(st.get());
        for (int i = 0; i < nc; ++i) {
            Field f;
            f.index_ = i;
            f.name_ = QString::fromUtf8(sqlite3_column_name(st.get(), i));
            const char* decl = sqlite3_column_decltype(st.get(), i);
            f.declared_ = decl ? QString::fromUtf8(decl) : QString();
            f.type_ = typeOfDeclared(f.declared_);
            const char* origin = sqlite3_column_origin_name(st.get(), i);
            const char* table = sqlite3_column_table_name(st.get(), i);
            f.origin_ = origin ? QString::fromUtf8(origin) : QString();
            if (table) f.origin_.prepend(QString::fromUtf8(table) + QLatin1Char('\x1f'));
            fields.push_back(f);
        }
    }

    // The shape of the query decides the kind of set.
    static const QRegularExpression shape(
        QStringLiteral(R"(^\s*SELECT\s+(.*?)\s+FROM\s+(\[[^\]]+\]|"[^"]+"|`[^`]+`|[A-Za-z_][A-Za-z0-9_]*)(.*)$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const auto m = shape.match(text);
    bool keyset = false;
    QString table, list, rest;
    if (m.hasMatch()) {
        list = m.captured(1).trimmed();
        table = unquoteIdentifier(m.captured(2));
        rest = m.captured(3);
        keyset = !list.startsWith(QLatin1String("DISTINCT"), Qt::CaseInsensitive) && restKeepsOneTable(rest) &&
                 !table.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive);
        for (const Field& f : fields) {
            const int sep = int(f.origin_.indexOf(QLatin1Char('\x1f')));
            if (sep < 0 || f.origin_.left(sep).compare(table, Qt::CaseInsensitive) != 0) keyset = false;
        }
    }

    dropRowStatement();
    conn_ = conn.state();
    sql_ = sql;
    params_ = params;
    fields_ = std::move(fields);
    for (Field& f : fields_) {
        f.rs_ = this;
        const int sep = int(f.origin_.indexOf(QLatin1Char('\x1f')));
        if (sep >= 0) f.origin_ = f.origin_.mid(sep + 1);
    }
    keys_.clear();
    snapshot_.clear();
    byKeyValid_ = false;
    if (keyset) {
        kind_ = Kind::Keyset;
        table_ = table;
        keySql_ = QStringLiteral("SELECT _rowid_ FROM ") + m.captured(2) + rest;
        QStringList cols;
        for (const Field& f : fields_) cols << Connection::Bracket(f.origin_);
        rowSql_ = QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
                  Connection::Bracket(table_) + QStringLiteral(" WHERE _rowid_ = ?1");
        try {
            loadKeys(params_);
        } catch (const vb::VbError&) {
            keyset = false;   // a table without row ids: read it as a snapshot
        }
    }
    if (!keyset) {
        kind_ = Kind::Snapshot;
        table_.clear();
        loadSnapshot(params_);
    }
    updatable_ = keyset && list == QLatin1String("*") && lock != adLockReadOnly;
    rowidColumn_.clear();
    if (updatable_) {
        // The column that is the row id (INTEGER PRIMARY KEY): the engine numbers it, nobody writes it.
        Statement st(h, QStringLiteral("SELECT name FROM pragma_table_info(?1) WHERE pk = 1 AND upper(type) = 'INTEGER' "
                                       "AND (SELECT count(*) FROM pragma_table_info(?1) WHERE pk > 0) = 1"));
        st.bind(1, table_);
        if (st.step()) rowidColumn_ = st.column(0).toString();
    }
    open_ = true;
    editMode_ = adEditNone;
    resetEdit();
    pos_ = 0;
    onDeleted_ = false;
    rowLoaded_ = false;
    notifyMove();
}

void Recordset::loadKeys(const QVariantList& params) {
    Statement st(db(), keySql_);
    st.bindAll(params);
    std::vector<qint64> keys;
    keys.reserve(1024);
    bool asc = true;
    while (st.step()) {
        const qint64 k = sqlite3_column_int64(st.get(), 0);
        if (!keys.empty() && k <= keys.back()) asc = false;
        keys.push_back(k);
    }
    keys.shrink_to_fit();
    keys_ = std::move(keys);
    keysAscending_ = asc;
    byKeyValid_ = false;
    noteKeysRead();
}

// SQLite's data_version changes when another connection commits to the file; the connection's
// own writes are counted by total_changes.
void Recordset::noteKeysRead() {
    Statement st(db(), QStringLiteral("PRAGMA data_version"));
    readAtVersion_ = st.step() ? sqlite3_column_int64(st.get(), 0) : -1;
    readAtChanges_ = sqlite3_total_changes64(db());
}

// The set's own writes keep its keys as the file holds them: keys current before such a write
// stay current after it.
void Recordset::noteOwnWrite(qint64 changesBefore) {
    if (readAtChanges_ == changesBefore) readAtChanges_ = sqlite3_total_changes64(db());
}

bool Recordset::KeysCurrent() const {
    requireOpen();
    if (readAtVersion_ < 0) return false;
    Statement st(db(), QStringLiteral("PRAGMA data_version"));
    return st.step() && sqlite3_column_int64(st.get(), 0) == readAtVersion_ && sqlite3_total_changes64(db()) == readAtChanges_;
}

void Recordset::loadSnapshot(const QVariantList& params) {
    Statement st(db(), translateJetSql(sql_));
    st.bindAll(params);
    snapshot_.clear();
    while (st.step()) {
        QVariantList row;
        row.reserve(int(fields_.size()));
        for (int i = 0; i < int(fields_.size()); ++i) row << st.column(i);
        snapshot_.push_back(std::move(row));
    }
    // Columns without a declared type take the type of their first value.
    for (int i = 0; i < int(fields_.size()); ++i) {
        Field& f = fields_[size_t(i)];
        if (!f.declared_.isEmpty()) continue;
        for (const QVariantList& row : snapshot_)
            if (!row[i].isNull()) {
                f.type_ = typeOfValue(row[i]);
                break;
            }
    }
    keys_.resize(snapshot_.size());
    std::iota(keys_.begin(), keys_.end(), qint64(1));
    keysAscending_ = true;
    byKeyValid_ = false;
    noteKeysRead();
}

void Recordset::Close() {
    if (!open_) return;
    if (editMode_ != adEditNone)
        vb::raise(vb::err::IllegalOperation, QStringLiteral("Operation is not allowed in this context."));
    open_ = false;
    dropRowStatement();
    conn_.reset();
    keys_.clear();
    keys_.shrink_to_fit();
    byKey_.clear();
    snapshot_.clear();
    fields_.clear();
    row_.clear();
    rowLoaded_ = false;
}

void Recordset::requireOpen() const {
    if (!open_) raiseClosed();
    if (!conn_ || !conn_->db) raiseClosed();
}

void Recordset::requireCurrent() const {
    if (editMode_ == adEditAdd) return;
    if (onDeleted_ || pos_ < 0 || pos_ >= qint64(keys_.size())) vb::raise(vb::err::NoCurrentRecord);
}

// ---- position ----

bool Recordset::Bof() const {
    if (!open_) raiseClosed();
    if (onDeleted_ || editMode_ == adEditAdd) return false;
    return keys_.empty() || pos_ < 0;
}

bool Recordset::Eof() const {
    if (!open_) raiseClosed();
    if (onDeleted_ || editMode_ == adEditAdd) return false;
    return keys_.empty() || pos_ >= qint64(keys_.size());
}

qint64 Recordset::RecordCount() const {
    if (!open_) raiseClosed();
    return qint64(keys_.size()) + (editMode_ == adEditAdd ? 1 : 0);
}

qint64 Recordset::AbsolutePosition() const {
    if (!open_) raiseClosed();
    if (editMode_ == adEditAdd) return qint64(keys_.size()) + 1;
    if (onDeleted_) return adPosUnknown;
    if (keys_.empty() || pos_ < 0) return adPosBOF;
    if (pos_ >= qint64(keys_.size())) return adPosEOF;
    return pos_ + 1;
}

void Recordset::notifyMove() {
    if (moveComplete_) moveComplete_();
}

void Recordset::setPosition(qint64 pos) {
    const qint64 to = std::clamp<qint64>(pos, -1, qint64(keys_.size()));
    if (moveComplete_ && kind_ != Kind::Snapshot && to >= 0 && to < qint64(keys_.size())) {
        // A bound view shows the row it moves to: the row is read first, so that one the file
        // refuses (another program's lock) leaves the set, and the view, on the row it was on.
        const qint64 fromPos = pos_;
        const bool fromLoaded = rowLoaded_, fromMissing = rowMissing_;
        QVariantList fromRow = row_;
        pos_ = to;
        rowLoaded_ = false;
        try {
            loadRow();
        } catch (...) {
            pos_ = fromPos;
            row_ = std::move(fromRow);
            rowLoaded_ = fromLoaded;
            rowMissing_ = fromMissing;
            throw;
        }
        onDeleted_ = false;
        notifyMove();
        return;
    }
    pos_ = to;
    onDeleted_ = false;
    rowLoaded_ = false;
    notifyMove();
}

void Recordset::implicitUpdate() {
    if (editMode_ != adEditNone) Update();
}

void Recordset::MoveFirst() {
    requireOpen();
    implicitUpdate();
    if (keys_.empty()) vb::raise(vb::err::NoCurrentRecord);
    setPosition(0);
}

void Recordset::MoveLast() {
    requireOpen();
    implicitUpdate();
    if (keys_.empty()) vb::raise(vb::err::NoCurrentRecord);
    setPosition(qint64(keys_.size()) - 1);
}

void Recordset::MoveNext() {
    requireOpen();
    implicitUpdate();
    if (onDeleted_) return setPosition(pos_);   // the row after the deleted one
    if (keys_.empty() || pos_ >= qint64(keys_.size())) vb::raise(vb::err::NoCurrentRecord);
    setPosition(pos_ + 1);
}

void Recordset::MovePrevious() {
    requireOpen();
    implicitUpdate();
    if (onDeleted_) return setPosition(pos_ - 1);
    if (keys_.empty() || pos_ < 0) vb::raise(vb::err::NoCurrentRecord);
    setPosition(pos_ - 1);
}

void Recordset::Move(qint64 rows) {
    requireOpen();
    implicitUpdate();
    if (rows == 0) {
        requireCurrent();
        return setPosition(pos_);
    }
    if (!onDeleted_ && ((rows > 0 && (keys_.empty() || pos_ >= qint64(keys_.size()))) || (rows < 0 && (keys_.empty() || pos_ < 0))))
        vb::raise(vb::err::NoCurrentRecord);
    const qint64 base = onDeleted_ && rows > 0 ? pos_ - 1 : pos_;
    setPosition(base + rows);
}

qint64 Recordset::Bookmark() const {
    requireOpen();
    if (editMode_ == adEditAdd) return 0;
    requireCurrent();
    return keys_[size_t(pos_)];
}

qint64 Recordset::indexOfKey(qint64 key) const {
    if (keysAscending_) {
        const auto it = std::lower_bound(keys_.begin(), keys_.end(), key);
        return (it != keys_.end() && *it == key) ? qint64(it - keys_.begin()) : -1;
    }
    if (!byKeyValid_) {
        byKey_.resize(keys_.size());
        std::iota(byKey_.begin(), byKey_.end(), quint32(0));
        std::sort(byKey_.begin(), byKey_.end(), [this](quint32 a, quint32 b) { return keys_[a] < keys_[b]; });
        byKeyValid_ = true;
    }
    const auto it = std::lower_bound(byKey_.begin(), byKey_.end(), key,
                                     [this](quint32 i, qint64 k) { return keys_[i] < k; });
    return (it != byKey_.end() && keys_[*it] == key) ? qint64(*it) : -1;
}

void Recordset::SetBookmark(qint64 bookmark) {
    requireOpen();
    implicitUpdate();
    const qint64 at = indexOfKey(bookmark);
    if (at < 0)
        vb::raise(vb::err::DB_E_BADBOOKMARK, QStringLiteral("The bookmark %1 names no row of the set.").arg(bookmark));
    setPosition(at);
}

// ---- fields ----

Field& Recordset::Fields(int index) {
    requireOpen();
    if (index < 0 || index >= int(fields_.size())) vb::raise(vb::err::ItemNotFound);
    return fields_[size_t(index)];
}

Field& Recordset::Fields(const QString& name) {
    requireOpen();
    for (Field& f : fields_)
        if (f.name_.compare(name, Qt::CaseInsensitive) == 0) return f;
    vb::raise(vb::err::ItemNotFound);
}

bool Recordset::HasField(const QString& name) const {
    return std::any_of(fields_.begin(), fields_.end(),
                       [&](const Field& f) { return f.name_.compare(name, Qt::CaseInsensitive) == 0; });
}

void Recordset::loadRow() const {
    if (rowLoaded_) return;
    row_.clear();
    rowMissing_ = false;
    if (kind_ == Kind::Snapshot) {
        row_ = snapshot_[size_t(pos_)];
    } else {
        sqlite3* h = db();
        if (!rowStmt_ || rowStmtDb_ != h) {
            dropRowStatement();
            const QByteArray utf8 = rowSql_.toUtf8();
            const int rc = sqlite3_prepare_v3(h, utf8.constData(), int(utf8.size()), SQLITE_PREPARE_PERSISTENT, &rowStmt_, nullptr);
            if (rc != SQLITE_OK) {
                dropRowStatement();
                raiseSqlite(rc, h);
            }
            rowStmtDb_ = h;
        }
        // Reset whatever happens, so the statement never stays active.
        struct ResetGuard {
            sqlite3_stmt* s;
            ~ResetGuard() {
                sqlite3_reset(s);
                sqlite3_clear_bindings(s);
            }
        } guard{rowStmt_};
        sqlite3_bind_int64(rowStmt_, 1, keys_[size_t(pos_)]);
        const int rc = sqlite3_step(rowStmt_);
        if (rc == SQLITE_ROW) {
            for (int i = 0; i < int(fields_.size()); ++i) row_ << detail::columnValue(rowStmt_, i);
        } else if (rc == SQLITE_DONE) {
            rowMissing_ = true;
            for (size_t i = 0; i < fields_.size(); ++i) row_ << QVariant();
        } else {
            row_.clear();
            raiseSqlite(rc, h);
        }
    }
    rowLoaded_ = true;
}

void Recordset::dropRowStatement() const {
    if (rowStmt_) sqlite3_finalize(rowStmt_);
    rowStmt_ = nullptr;
    rowStmtDb_ = nullptr;
}

QVariant Recordset::fieldValue(int index) const {
    requireOpen();
    const Field& f = fields_[size_t(index)];
    if (editMode_ != adEditNone && changed_[size_t(index)]) return fromStored(edit_[index], f.type_.type);
    if (editMode_ == adEditAdd) return QVariant();
    requireCurrent();
    loadRow();
    if (rowMissing_)
        vb::raise(vb::err::NoCurrentRecord, QStringLiteral("The current record has been deleted by another user."));
    return fromStored(row_[index], f.type_.type);
}

void Recordset::setFieldValue(int index, const QVariant& value) {
    requireOpen();
    if (!updatable_) raiseNotUpdatable();
    requireCurrent();
    const Field& f = fields_[size_t(index)];
    if (!rowidColumn_.isEmpty() && f.origin_.compare(rowidColumn_, Qt::CaseInsensitive) == 0)
        vb::raise(vb::err::DB_E_ERRORSOCCURRED, QStringLiteral("The field '%1' is numbered by the database and cannot be changed.").arg(f.name_));
    QVariant stored;
    QString reason;
    if (!toStored(value, f.type_, stored, reason))
        vb::raise(vb::err::DB_E_ERRORSOCCURRED, QStringLiteral("The field '%1' cannot take the value: %2.").arg(f.name_, reason));
    if (editMode_ == adEditNone) {
        loadRow();
        if (rowMissing_)
            vb::raise(vb::err::NoCurrentRecord, QStringLiteral("The current record has been deleted by another user."));
        edit_ = row_;
        changed_.assign(fields_.size(), false);
        editMode_ = adEditInProgress;
    }
    edit_[index] = stored;
    changed_[size_t(index)] = true;
}

// ---- changes ----

void Recordset::resetEdit() {
    edit_.clear();
    changed_.clear();
}

void Recordset::AddNew() {
    requireOpen();
    if (!updatable_) raiseNotUpdatable();
    implicitUpdate();
    posBeforeAdd_ = onDeleted_ ? std::min<qint64>(pos_, qint64(keys_.size())) : pos_;
    edit_.clear();
    for (size_t i = 0; i < fields_.size(); ++i) edit_ << QVariant();
    changed_.assign(fields_.size(), false);
    editMode_ = adEditAdd;
    onDeleted_ = false;
    rowLoaded_ = false;
    notifyMove();
}

void Recordset::Update() {
    requireOpen();
    if (!updatable_) raiseNotUpdatable();
    if (editMode_ == adEditAdd) return insertRow();
    requireCurrent();
    if (editMode_ == adEditInProgress) updateRow();
}

void Recordset::insertRow() {
    const qint64 changes = sqlite3_total_changes64(db());
    QStringList cols, marks;
    QVariantList values;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (!changed_[i]) continue;
        cols << Connection::Bracket(fields_[i].origin_);
        marks << QStringLiteral("?%1").arg(values.size() + 1);
        values << edit_[int(i)];
    }
    const QString sql = cols.isEmpty()
        ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Connection::Bracket(table_))
        : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
              .arg(Connection::Bracket(table_), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
    {
        Statement st(db(), sql);
        st.bindAll(values);
        st.step();
    }
    const qint64 key = sqlite3_last_insert_rowid(db());
    if (!keys_.empty() && key <= keys_.back()) keysAscending_ = false;
    keys_.push_back(key);
    byKeyValid_ = false;
    noteOwnWrite(changes);
    editMode_ = adEditNone;
    const QVariantList inserted = std::move(edit_);
    resetEdit();
    pos_ = qint64(keys_.size()) - 1;
    onDeleted_ = false;
    rowLoaded_ = false;
    if (written_) written_({}, inserted);
}

namespace {
// Whether two stored values are the same, storage class and all.
bool sameStored(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() == b.isNull();
    return a.typeId() == b.typeId() && a == b;
}
}  // namespace

void Recordset::updateRow() {
    // Only the columns whose value changes are written, and only while they still hold what was
    // read: a row that another user changed (or deleted) since keeps the other user's values and
    // the update fails with 0x80040E38, as the provider's optimistic locking reports it.
    QStringList sets, checks;
    QVariantList values;
    for (size_t i = 0; i < fields_.size(); ++i) {
        if (!changed_[i] || sameStored(edit_[int(i)], row_.value(int(i)))) continue;
        const QString column = Connection::Bracket(fields_[i].origin_);
        values << edit_[int(i)];
        sets << QStringLiteral("%1 = ?%2").arg(column).arg(values.size());
        values << row_.value(int(i));
        checks << QStringLiteral("%1 IS ?%2 COLLATE BINARY").arg(column).arg(values.size());
    }
    const bool writes = !sets.isEmpty();
    const qint64 changes = sqlite3_total_changes64(db());
    if (writes) {
        values << keys_[size_t(pos_)];
        const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE _rowid_ = ?%3 AND %4")
                                .arg(Connection::Bracket(table_), sets.join(QStringLiteral(", ")))
                                .arg(values.size())
                                .arg(checks.join(QStringLiteral(" AND ")));
        Statement st(db(), sql);
        st.bindAll(values);
        st.step();
        if (sqlite3_changes(db()) == 0) {
            // The edit stays. The row is read as it is now, so that it shows whether the row is
            // gone and so that saving again writes over the other user's change.
            rowLoaded_ = false;
            try {
                loadRow();
            } catch (const vb::VbError&) {
                rowLoaded_ = false;
            }
            vb::raise(vb::err::DB_E_CONCURRENCYVIOLATION);
        }
        noteOwnWrite(changes);
    }
    editMode_ = adEditNone;
    const QVariantList before = std::move(row_), after = std::move(edit_);
    resetEdit();
    row_.clear();
    rowLoaded_ = false;
    if (writes && written_) written_(before, after);
}

void Recordset::CancelUpdate() {
    requireOpen();
    if (editMode_ == adEditAdd) {
        editMode_ = adEditNone;
        resetEdit();
        setPosition(posBeforeAdd_);
    } else if (editMode_ == adEditInProgress) {
        editMode_ = adEditNone;
        resetEdit();
        rowLoaded_ = false;
    }
}

void Recordset::Delete() {
    requireOpen();
    if (!updatable_) raiseNotUpdatable();
    if (editMode_ == adEditAdd)
        vb::raise(vb::err::IllegalOperation, QStringLiteral("Operation is not allowed in this context."));
    requireCurrent();
    if (written_) loadRow();   // the values the row leaves with
    const qint64 changes = sqlite3_total_changes64(db());
    {
        Statement st(db(), QStringLiteral("DELETE FROM %1 WHERE _rowid_ = ?1").arg(Connection::Bracket(table_)));
        st.bind(1, keys_[size_t(pos_)]);
        st.step();
    }
    if (sqlite3_changes(db()) == 0) {
        rowLoaded_ = false;   // another user deleted it: reading it again shows so
        vb::raise(vb::err::DB_E_CONCURRENCYVIOLATION);
    }
    editMode_ = adEditNone;
    resetEdit();
    keys_.erase(keys_.begin() + pos_);
    byKeyValid_ = false;
    noteOwnWrite(changes);
    onDeleted_ = true;
    const QVariantList before = std::move(row_);
    row_.clear();
    rowLoaded_ = false;
    if (written_ && !before.isEmpty()) written_(before, {});
}

void Recordset::Requery() {
    requireOpen();
    editMode_ = adEditNone;
    resetEdit();
    if (kind_ == Kind::Keyset) loadKeys(params_);
    else loadSnapshot(params_);
    setPosition(0);
}

}  // namespace db
