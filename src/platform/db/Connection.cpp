#include "platform/db/Connection.h"

#include "platform/core/VbError.h"
#include "platform/db/CaseFold.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/JetSql.h"
#include "platform/db/LockWait.h"
#include "platform/db/StoredDate.h"
#include "platform/db/YesNo.h"

#include <QFile>
#include <QFileInfo>
#include <string>
#include <string_view>
#include <sqlite3.h>

namespace db {

namespace detail {

ConnState::~ConnState() { close(); }

void ConnState::close() {
    if (db) {
        sqlite3_close_v2(db);
        db = nullptr;
    }
}

Statement::Statement(sqlite3* db, const QString& sql) : db_(db) {
    if (!db_) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    const QByteArray utf8 = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        raiseSqlite(rc, db_);
    }
}

Statement::Statement(sqlite3* db, const QByteArray& utf8, int& offset) : db_(db) {
    if (!db_) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    const char* start = utf8.constData() + offset;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, start, int(utf8.size()) - offset, &stmt_, &tail);
    if (rc != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        raiseSqlite(rc, db_);
    }
    offset = tail ? int(tail - utf8.constData()) : int(utf8.size());
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, const QVariant& v) {
    int rc = SQLITE_OK;
    if (!v.isValid() || v.isNull()) {
        rc = sqlite3_bind_null(stmt_, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Bool: rc = sqlite3_bind_int(stmt_, index, v.toBool() ? 1 : 0); break;
        case QMetaType::Int:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
        case QMetaType::SChar:
        case QMetaType::Char:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong: rc = sqlite3_bind_int64(stmt_, index, v.toLongLong()); break;
        case QMetaType::ULong:
        case QMetaType::ULongLong: {
            const qulonglong u = v.toULongLong();
            rc = u > qulonglong(std::numeric_limits<qint64>::max()) ? sqlite3_bind_double(stmt_, index, double(u))
                                                                     : sqlite3_bind_int64(stmt_, index, qint64(u));
            break;
        }
        case QMetaType::Double:
        case QMetaType::Float: rc = sqlite3_bind_double(stmt_, index, v.toDouble()); break;
        case QMetaType::QByteArray: {
            const QByteArray b = v.toByteArray();
            rc = sqlite3_bind_blob64(stmt_, index, b.constData(), sqlite3_uint64(b.size()), SQLITE_TRANSIENT);
            break;
        }
        case QMetaType::QDate: bind(index, QVariant(toStoredDate(QDateTime(v.toDate(), QTime(0, 0))))); return;
        case QMetaType::QDateTime: bind(index, QVariant(toStoredDate(v.toDateTime()))); return;
        case QMetaType::QTime:
            bind(index, QVariant(toStoredDate(QDateTime(QDate(1899, 12, 30), v.toTime()))));
            return;
        default: {
            const QByteArray t = v.toString().toUtf8();
            rc = sqlite3_bind_text64(stmt_, index, t.constData(), sqlite3_uint64(t.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
            break;
        }
        }
    }
    if (rc != SQLITE_OK) raiseSqlite(rc, db_);
}

void Statement::bindAll(const QVariantList& params) {
    const int n = sqlite3_bind_parameter_count(stmt_);
    if (params.size() > n)
        vb::raise(err::DB_E_BADBINDINFO, QStringLiteral("The statement takes %1 parameters, %2 were given.")
                                             .arg(n).arg(params.size()));
    for (int i = 0; i < params.size(); ++i) bind(i + 1, params[i]);
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    raiseSqlite(rc, db_);
}

QVariant Statement::column(int index) const { return columnValue(stmt_, index); }
int Statement::columnCount() const { return sqlite3_column_count(stmt_); }

QVariant columnValue(sqlite3_stmt* stmt, int index) {
    switch (sqlite3_column_type(stmt, index)) {
    case SQLITE_INTEGER: return QVariant(qint64(sqlite3_column_int64(stmt, index)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(stmt, index));
    case SQLITE_TEXT: {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt, index));
        return QVariant(QString::fromUtf8(t, sqlite3_column_bytes(stmt, index)));
    }
    case SQLITE_BLOB: {
        const char* b = static_cast<const char*>(sqlite3_column_blob(stmt, index));
        return QVariant(QByteArray(b, sqlite3_column_bytes(stmt, index)));
    }
    default: return QVariant();
    }
}

}  // namespace detail

using detail::Statement;

namespace {

// casefold(x): text with every letter folded to one case (Unicode full folding, so "É" and "é"
// meet); values that are not text come back unchanged. SQLite's NOCASE, lower() and LIKE fold
// ASCII letters only.
void casefoldFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* v = argv[0];
    if (sqlite3_value_type(v) != SQLITE_TEXT) {
        sqlite3_result_value(ctx, v);
        return;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
    const size_t bytes = size_t(sqlite3_value_bytes(v));
    // Text already folded (most keyword and notes values) is its own result.
    if (FirstFoldable(text, bytes) == bytes) {
        sqlite3_result_value(ctx, v);
        return;
    }
    // One buffer per thread, reused: SQLite copies the result into the statement's register,
    // whose memory it keeps from row to row.
    thread_local std::string folded;
    FoldUtf8(text, bytes, folded);
    sqlite3_result_text64(ctx, folded.data(), sqlite3_uint64(folded.size()), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// casefold_in(needle, v1, ..., vn): 1 when some text vi folds to needle (itself folded), else 0.
// One call a row where n calls of casefold() compared one by one cost a call each.
void casefoldInFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc < 1 || sqlite3_value_type(argv[0]) != SQLITE_TEXT) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const std::string_view needle(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), size_t(sqlite3_value_bytes(argv[0])));
    thread_local std::string folded;
    for (int i = 1; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) != SQLITE_TEXT) continue;
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[i]));
        const size_t bytes = size_t(sqlite3_value_bytes(argv[i]));
        bool ascii = true;
        for (size_t k = 0; k < bytes && ascii; ++k) ascii = (static_cast<unsigned char>(text[k]) & 0x80) == 0;
        if (ascii) {
            // ASCII folds byte by byte: compared in place.
            if (bytes != needle.size()) continue;
            size_t k = 0;
            for (; k < bytes; ++k) {
                char c = text[k];
                if (c >= 'A' && c <= 'Z') c = char(c + ('a' - 'A'));
                if (c != needle[k]) break;
            }
            if (k == bytes) {
                sqlite3_result_int(ctx, 1);
                return;
            }
            continue;
        }
        FoldUtf8(text, bytes, folded);
        if (folded == needle) {
            sqlite3_result_int(ctx, 1);
            return;
        }
    }
    sqlite3_result_int(ctx, 0);
}

// yesno(x): 1 or 0 as the program reads x as a yes/no value (YesNo.h), NULL when it is none, so
// that a search finds what the views show as True or False.
void yesNoFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_value* v = argv[0];
    std::optional<bool> b;
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER: b = sqlite3_value_int64(v) != 0; break;
    case SQLITE_FLOAT: b = readYesNo(QVariant(sqlite3_value_double(v))); break;
    case SQLITE_TEXT:
        b = readYesNo(QStringView(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)), sqlite3_value_bytes(v))));
        break;
    default: break;
    }
    if (b) sqlite3_result_int(ctx, *b ? 1 : 0);
    else sqlite3_result_null(ctx);
}

}  // namespace

void registerFunctions(sqlite3* db) {
    sqlite3_create_function_v2(db, "casefold", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               casefoldFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "casefold_in", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr,
                               casefoldInFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "yesno", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr, yesNoFunction,
                               nullptr, nullptr, nullptr);
}

Connection::Connection() : state_(std::make_shared<detail::ConnState>()) {}
Connection::Connection(std::shared_ptr<detail::ConnState> state)
    : state_(state ? std::move(state) : std::make_shared<detail::ConnState>()) {}
Connection::~Connection() = default;

QString Connection::DataSourceOf(const QString& connStr) {
    // Only the program's own form is a connection string; any other text is a path, whatever
    // "=" or "Data Source=" it holds. The path runs from the first "Data Source=" to the end.
    static const QLatin1String provider("Provider=");
    static const QLatin1String key("Data Source=");
    if (connStr.startsWith(key, Qt::CaseInsensitive)) return connStr.mid(key.size());
    if (!connStr.startsWith(provider, Qt::CaseInsensitive)) return connStr;
    const int at = int(connStr.indexOf(QLatin1Char(';') + key, 0, Qt::CaseInsensitive));
    return at < 0 ? QString() : connStr.mid(at + key.size() + 1);
}

QString Connection::ConnStrOf(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + path;
}

QString Connection::Bracket(const QString& identifier) {
    if (!identifier.contains(QLatin1Char(']'))) return QLatin1Char('[') + identifier + QLatin1Char(']');
    // Brackets cannot hold a ']': such a name goes in double quotes, with its quotes doubled.
    QString s = identifier;
    s.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}

namespace {
// Whether the file begins with the 16 bytes every SQLite database file begins with.
bool beginsAsSqlite(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}
}  // namespace

void Connection::Open(const QString& connStr, Journal journal) {
    if (IsOpen()) vb::raise(3705, QStringLiteral("Operation is not allowed when the object is open."));
    const QString path = DataSourceOf(connStr);
    if (path.trimmed().isEmpty())
        vb::raise(vb::err::DB_SEC_E_AUTH_FAILED, QStringLiteral("No database file has been defined."));
    const QFileInfo fi(path);
    if (path.contains(QChar(0)) || !fi.exists() || fi.isDir())
        vb::raise(vb::err::E_FAIL_, QStringLiteral("Could not find file '%1'.").arg(path));

    sqlite3* db = nullptr;
    const QByteArray p = path.toUtf8();
    // A file (or folder) that nobody may write to is opened for reading only, whoever runs the
    // program, so that its writes are refused as read-only rather than made by a privileged user.
    const int openMode = ReadOnlyByPermissions(path) ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    int rc = sqlite3_open_v2(p.constData(), &db, openMode, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close_v2(db);
        vb::VbError e(vb::err::E_FAIL_, QStringLiteral("Could not open file '%1'.").arg(path));
        e.nativeError = rc;
        throw e;
    }
    auto fail = [&](int code) {
        const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        int32_t n = vb::err::E_FAIL_;
        QString description = QStringLiteral("Unrecognized database format '%1'.").arg(path);
        if ((code & 0xff) != SQLITE_NOTADB) {
            n = errorNumberFor(code, msg);
            if (n == vb::err::DB_E_NOTABLE || n == vb::err::DB_E_ERRORSINCOMMAND) n = vb::err::E_FAIL_;
            description = QStringLiteral("Could not use file '%1': %2").arg(path, msg);
        }
        vb::VbError e(n, description);
        e.nativeError = code;
        throw e;
    };
    sqlite3_extended_result_codes(db, 1);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    LockWait::Install(db);
    registerFunctions(db);
    // Reading the schema is the test that the file is a database and is not locked.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    // A file that begins as SQLite's own but whose header SQLite refuses (not a database, a schema
    // format it does not know) is damaged.
    if (((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_ERROR) && beginsAsSqlite(path)) {
        sqlite3_close_v2(db);
        raiseDamaged(path);
    }
    if (rc != SQLITE_OK) fail(rc);
    // Rollback journal: the database stays one file (a WAL file made elsewhere is switched back,
    // which writes its header; a check that must not write keeps it as found).
    sqlite3_stmt* st = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &st, nullptr);
    QByteArray mode;
    if (rc == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        mode = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).toLower();
    sqlite3_finalize(st);
    if (rc != SQLITE_OK) fail(rc);
    if (journal == Journal::Rollback && mode != "delete" && !sqlite3_db_readonly(db, "main")) {
        rc = sqlite3_exec(db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) fail(rc);
    }
    state_->db = db;
    state_->path = path;
    state_->connStr = connStr;
}

bool Connection::ReadOnlyByPermissions(const QString& path) {
    const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo fi(path);
    if (!(fi.permissions() & writable)) return true;
    return !(QFileInfo(fi.absolutePath()).permissions() & writable);
}

bool Connection::ReadOnly() const { return state_->db && sqlite3_db_readonly(state_->db, "main") == 1; }

bool Connection::OpenCheck() {
    sqlite3* db = requireOpenDb();
    try {
        const qint64 pageSize = Scalar(QStringLiteral("PRAGMA page_size")).toLongLong();
        const qint64 pages = Scalar(QStringLiteral("PRAGMA page_count")).toLongLong();
        if (pageSize <= 0 || QFileInfo(state_->path).size() < pages * pageSize) return false;   // cut short
        if (Scalar(QStringLiteral("PRAGMA freelist_count")).toLongLong() > pages) return false;
        QStringList tables;
        {
            Statement st(db, QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND sql NOT LIKE '%WITHOUT ROWID%'"));
            while (st.step()) tables << st.column(0).toString();
        }
        // The rows at each end: the root page and the pages down both edges of each table.
        // (one aggregate a statement: SQLite seeks for min() or max() alone, and scans for both).
        for (const QString& t : tables) {
            Scalar(QStringLiteral("SELECT min(rowid) FROM ") + Bracket(t));
            Scalar(QStringLiteral("SELECT max(rowid) FROM ") + Bracket(t));
        }
        return true;
    } catch (const vb::VbError& e) {
        if (causeOf(e) == Cause::Unreadable) return false;
        throw;
    }
}

void Connection::Close() {
    if (state_->db && !sqlite3_get_autocommit(state_->db))
        sqlite3_exec(state_->db, "ROLLBACK", nullptr, nullptr, nullptr);
    state_->close();
    state_->path.clear();
}

static sqlite3* requireOpen(const std::shared_ptr<detail::ConnState>& s) {
    if (!s->db) vb::raise(3704, QStringLiteral("Operation is not allowed when the object is closed."));
    return s->db;
}

sqlite3* Connection::requireOpenDb() const { return requireOpen(state_); }

bool Connection::IsOpen() const { return state_->db != nullptr; }
QString Connection::Path() const { return state_->path; }
QString Connection::ConnectionString() const { return state_->connStr; }
sqlite3* Connection::handle() const { return state_->db; }


qint64 Connection::Execute(const QString& sql, const QVariantList& params) {
    sqlite3* db = requireOpen(state_);
    const QByteArray utf8 = translateJetSql(sql).toUtf8();
    int offset = 0;
    qint64 changed = 0;
    while (offset < utf8.size()) {
        Statement st(db, utf8, offset);
        if (st.isNull()) continue;
        if (!params.isEmpty() && sqlite3_bind_parameter_count(st.get()) > 0) st.bindAll(params);
        while (st.step()) {
        }
        changed = sqlite3_changes64(db);
    }
    return changed;
}

QVariant Connection::Scalar(const QString& sql, const QVariantList& params) {
    Statement st(requireOpen(state_), translateJetSql(sql));
    st.bindAll(params);
    return st.step() ? st.column(0) : QVariant();
}

bool Connection::HasTable(const QString& name, const QString& type) {
    const QString t = type.trimmed().toLower();
    if (t != QLatin1String("table") && t != QLatin1String("view")) return false;
    Statement st(requireOpen(state_),
                 QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = ?1 AND name = ?2 COLLATE NOCASE "
                                "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\'"));
    st.bindAll({t, name});
    return st.step();
}

QStringList Connection::TableNames() {
    Statement st(requireOpen(state_),
                 QStringLiteral("SELECT name FROM sqlite_schema WHERE type = 'table' "
                                "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    QStringList names;
    while (st.step()) names << st.column(0).toString();
    return names;
}

qint64 Connection::RowCount(const QString& table) {
    Statement st(requireOpen(state_), QStringLiteral("SELECT COUNT(*) FROM ") + Bracket(table));
    st.step();
    return st.column(0).toLongLong();
}

bool Connection::HasRows(const QString& table) {
    Statement st(requireOpen(state_), QStringLiteral("SELECT 1 FROM ") + Bracket(table) + QStringLiteral(" LIMIT 1"));
    return st.step();
}

void Connection::BeginTrans() {
    sqlite3* db = requireOpen(state_);
    if (!sqlite3_get_autocommit(db))
        vb::raise(vb::err::IllegalOperation, QStringLiteral("A transaction is already in progress."));
    Execute(QStringLiteral("BEGIN"));
}

void Connection::CommitTrans() {
    sqlite3* db = requireOpen(state_);
    if (sqlite3_get_autocommit(db))
        vb::raise(vb::err::IllegalOperation, QStringLiteral("No transaction is active."));
    Execute(QStringLiteral("COMMIT"));
}

void Connection::RollbackTrans() {
    sqlite3* db = requireOpen(state_);
    if (sqlite3_get_autocommit(db))
        vb::raise(vb::err::IllegalOperation, QStringLiteral("No transaction is active."));
    Execute(QStringLiteral("ROLLBACK"));
}

bool Connection::InTransaction() const { return state_->db && !sqlite3_get_autocommit(state_->db); }

qint64 Connection::LastInsertRowId() const { return state_->db ? sqlite3_last_insert_rowid(state_->db) : 0; }

}  // namespace db
