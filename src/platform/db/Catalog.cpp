#include "platform/db/Catalog.h"

#include "platform/core/VbError.h"
#include "platform/db/ErrorMap.h"
#include "platform/db/JetSql.h"
#include "platform/db/TypeMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>

namespace db {

using detail::Statement;

namespace {

const QStringList kKnownProperties = {
    QStringLiteral("AutoIncrement"), QStringLiteral("Description"), QStringLiteral("Nullable"),
    QStringLiteral("Default"), QStringLiteral("Jet OLEDB:Compressed UNICODE Strings"),
    QStringLiteral("Jet OLEDB:Allow Zero Length"), QStringLiteral("Fixed Length"),
};

[[noreturn]] void refuse(const QString& description) { vb::raise(vb::err::DB_E_ERRORSINCOMMAND, description); }

bool isText(AdoType t) { return t == adVarWChar || t == adWChar || t == adLongVarWChar; }

QString literalOf(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: return QString::number(v.toLongLong());
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 17);
    case QMetaType::QDateTime: return dateLiteral(v.toDateTime());
    default: return quoteText(v.toString());
    }
}

// One line of a comment: no line breaks in it.
QString commentText(const QString& s) {
    QString t = s;
    t.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

}  // namespace

ColumnDef& ColumnDef::SetProperty(const QString& name, const QVariant& value) {
    for (const QString& known : kKnownProperties)
        if (known.compare(name, Qt::CaseInsensitive) == 0) {
            Properties[known] = value;
            return *this;
        }
    vb::raise(vb::err::ItemNotFound);
}

ColumnDef& TableDef::AppendColumn(const QString& name, AdoType type, qint64 definedSize) {
    Columns.append(ColumnDef(name, type, definedSize));
    return Columns.last();
}

TableDef& TableDef::AppendColumn(const ColumnDef& column) {
    Columns.append(column);
    return *this;
}

ColumnDef& TableDef::Column(const QString& name) {
    for (ColumnDef& c : Columns)
        if (c.Name.compare(name, Qt::CaseInsensitive) == 0) return c;
    vb::raise(vb::err::ItemNotFound);
}

TableDef& TableDef::AppendIndex(const IndexDef& index) {
    Indexes.append(index);
    return *this;
}

// ---- Catalog ----

Catalog::Catalog() = default;
Catalog::Catalog(const Connection& conn) : conn_(conn) {}
Catalog::~Catalog() {
    if (ownsConnection_) conn_.Close();
}

Connection& Catalog::ActiveConnection() { return conn_; }

void Catalog::Close() {
    if (ownsConnection_) conn_.Close();
    ownsConnection_ = false;
    conn_ = Connection();
}

Connection& Catalog::requireConnection() {
    if (!conn_.IsOpen())
        vb::raise(3709, QStringLiteral("The connection cannot be used to perform this operation. It is either "
                                       "closed or invalid in this context."));
    return conn_;
}

void Catalog::Create(const QString& connStrOrPath) {
    const QString path = Connection::DataSourceOf(connStrOrPath);
    if (path.trimmed().isEmpty()) vb::raise(vb::err::E_FAIL_, QStringLiteral("No file name was given."));
    if (path.contains(QChar(0))) vb::raise(vb::err::E_FAIL_, QStringLiteral("The name '%1' is not a valid file name.").arg(path));
    const QFileInfo fi(path);
    if (fi.exists() || fi.isSymLink())
        vb::raise(vb::err::DB_E_DUPLICATEDATASOURCE, QStringLiteral("Database already exists."));
    if (!fi.absoluteDir().exists())
        vb::raise(vb::err::E_FAIL_, QStringLiteral("Could not find path '%1'.").arg(fi.absolutePath()));
    {
        // Made here, exclusively: a file that appears meanwhile is not taken over.
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(path))
                vb::raise(vb::err::DB_E_DUPLICATEDATASOURCE, QStringLiteral("Database already exists."));
            vb::raise(vb::err::E_FAIL_, QStringLiteral("Could not create file '%1': %2").arg(path, f.errorString()));
        }
    }
    Close();
    Connection conn;
    try {
        conn.Open(Connection::ConnStrOf(path));
        // Writes the file's header, so it is a database and not an empty file; marks it as ours.
        conn.Execute(QStringLiteral("PRAGMA application_id = 1383486324; PRAGMA user_version = 1"));
    } catch (...) {
        conn.Close();
        QFile::remove(path);
        throw;
    }
    conn_ = conn;
    ownsConnection_ = true;
}

void Catalog::ValidateName(const QString& name) {
    auto bad = [&](const QString& why) {
        refuse(QStringLiteral("'%1' is not a valid name: %2.").arg(name, why));
    };
    if (name.isEmpty()) bad(QStringLiteral("a name cannot be empty"));
    if (name.size() > 64) bad(QStringLiteral("a name has at most 64 characters"));
    if (name.front() == QLatin1Char(' ')) bad(QStringLiteral("a name cannot begin with a blank"));
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127) bad(QStringLiteral("a name cannot hold control characters"));
        if (QStringLiteral(".!`[]\"").contains(c))
            bad(QStringLiteral("a name cannot hold any of the characters . ! ` [ ] \""));
    }
}

QString Catalog::CreateTableSql(const TableDef& t) {
    ValidateName(t.Name);
    if (t.Columns.isEmpty()) refuse(QStringLiteral("The table '%1' has no columns.").arg(t.Name));
    QSet<QString> seen;
    for (const ColumnDef& c : t.Columns) {
        ValidateName(c.Name);
        for (auto it = c.Properties.begin(); it != c.Properties.end(); ++it)
            if (!kKnownProperties.contains(it.key())) vb::raise(vb::err::ItemNotFound);
        if (seen.contains(c.Name.toLower())) refuse(QStringLiteral("duplicate column name: %1").arg(c.Name));
        seen.insert(c.Name.toLower());
    }
    // The primary key.
    const IndexDef* pk = nullptr;
    for (const IndexDef& ix : t.Indexes) {
        ValidateName(ix.Name);
        if (ix.Columns.isEmpty()) refuse(QStringLiteral("The index '%1' has no columns.").arg(ix.Name));
        for (const QString& col : ix.Columns)
            if (!seen.contains(col.toLower()))
                refuse(QStringLiteral("The index '%1' names the column '%2', which the table does not have.").arg(ix.Name, col));
        if (ix.PrimaryKey) {
            if (pk) refuse(QStringLiteral("The table '%1' has two primary keys.").arg(t.Name));
            pk = &ix;
        }
    }
    auto inPk = [&](const QString& col) {
        if (!pk) return false;
        for (const QString& c : pk->Columns)
            if (c.compare(col, Qt::CaseInsensitive) == 0) return true;
        return false;
    };

    QStringList lines;
    QStringList comments;
    for (const ColumnDef& c : t.Columns) {
        ColumnType type;
        type.type = c.Type;
        type.definedSize = c.DefinedSize;
        type.precision = c.Precision;
        type.scale = c.NumericScale;
        if (c.Type == adVarWChar || c.Type == adWChar) {
            if (c.DefinedSize < 0 || c.DefinedSize > 255)
                refuse(QStringLiteral("The size %1 of the column '%2' is out of range (1 to 255).").arg(c.DefinedSize).arg(c.Name));
        }
        if (c.Type == adNumeric) {
            const int p = c.Precision > 0 ? c.Precision : 18;
            if (p > 28) refuse(QStringLiteral("The precision %1 of the column '%2' is above 28.").arg(p).arg(c.Name));
            if (c.NumericScale < 0 || c.NumericScale > p)
                refuse(QStringLiteral("The scale %1 of the column '%2' exceeds its precision %3.").arg(c.NumericScale).arg(c.Name).arg(p));
            type.precision = p;
        }
        const QString declared = declaredTypeOf(type);
        if (declared.isEmpty())
            refuse(QStringLiteral("The column '%1' has a type (%2) that cannot be created.").arg(c.Name).arg(int(c.Type)));
        QString line = Connection::Bracket(c.Name) + QLatin1Char(' ') + declared;
        if (isText(c.Type)) line += QStringLiteral(" COLLATE NOCASE");
        const bool autoInc = c.Properties.value(QStringLiteral("AutoIncrement")).toBool();
        const bool singlePk = pk && pk->Columns.size() == 1 && inPk(c.Name);
        if (autoInc && !(singlePk && (c.Type == adInteger || c.Type == adBigInt)))
            refuse(QStringLiteral("The AutoIncrement column '%1' must be the table's integer primary key.").arg(c.Name));
        const QVariant nullable = c.Properties.value(QStringLiteral("Nullable"));
        if (c.Type == adBoolean) {
            line += QStringLiteral(" NOT NULL DEFAULT 0");
        } else {
            if (inPk(c.Name) || (nullable.isValid() && !nullable.toBool())) line += QStringLiteral(" NOT NULL");
            const QVariant def = c.Properties.value(QStringLiteral("Default"));
            if (def.isValid() && !def.isNull()) line += QStringLiteral(" DEFAULT ") + literalOf(def);
        }
        if (singlePk) {
            line += QStringLiteral(" CONSTRAINT ") + Connection::Bracket(pk->Name) + QStringLiteral(" PRIMARY KEY");
            if (autoInc) line += QStringLiteral(" AUTOINCREMENT");
        }
        lines << line;
        comments << commentText(c.Properties.value(QStringLiteral("Description")).toString());
    }
    if (pk && pk->Columns.size() > 1) {
        QStringList cols;
        for (const QString& c : pk->Columns) cols << Connection::Bracket(c);
        lines << QStringLiteral("CONSTRAINT ") + Connection::Bracket(pk->Name) + QStringLiteral(" PRIMARY KEY (") +
                     cols.join(QStringLiteral(", ")) + QLatin1Char(')');
        comments << QString();
    }
    QString sql = QStringLiteral("CREATE TABLE ") + Connection::Bracket(t.Name) + QStringLiteral(" (\n");
    for (int i = 0; i < lines.size(); ++i) {
        sql += QStringLiteral("  ") + lines[i];
        if (i + 1 < lines.size()) sql += QLatin1Char(',');
        if (!comments[i].isEmpty()) sql += QStringLiteral(" -- ") + comments[i];
        sql += QLatin1Char('\n');
    }
    sql += QLatin1Char(')');
    return sql;
}

void Catalog::Append(const TableDef& t) {
    Connection& conn = requireConnection();
    QString sql = CreateTableSql(t);
    for (const IndexDef& ix : t.Indexes) {
        if (ix.PrimaryKey) continue;
        QStringList cols;
        for (const QString& c : ix.Columns) cols << Connection::Bracket(c);
        sql += QStringLiteral(";\nCREATE %1INDEX %2 ON %3 (%4)")
                   .arg(ix.Unique ? QStringLiteral("UNIQUE ") : QString(), Connection::Bracket(ix.Name),
                        Connection::Bracket(t.Name), cols.join(QStringLiteral(", ")));
    }
    // One table with its indexes, or nothing.
    const bool ownTransaction = !conn.InTransaction();
    if (ownTransaction) conn.BeginTrans();
    try {
        conn.Execute(sql);
    } catch (...) {
        if (ownTransaction && conn.InTransaction()) conn.RollbackTrans();
        throw;
    }
    if (ownTransaction) conn.CommitTrans();
}

QStringList Catalog::Tables() { return requireConnection().TableNames(); }

bool Catalog::HasTable(const QString& name) { return requireConnection().HasTable(name); }

QList<ColumnInfo> Catalog::Columns(const QString& table) {
    Connection& conn = requireConnection();
    QString tableSql;
    QString realName;
    {
        Statement st(conn.handle(), QStringLiteral("SELECT name, sql FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
        st.bind(1, table);
        if (!st.step()) vb::raise(vb::err::ItemNotFound);
        realName = st.column(0).toString();
        tableSql = st.column(1).toString();
    }
    // Descriptions: the comment at the end of each column's line of the stored CREATE TABLE text.
    QMap<QString, QString> descriptions;
    static const QRegularExpression lineRe(
        QStringLiteral(R"re(^\s*(?:\[([^\]]+)\]|"((?:[^"]|"")+)"|`([^`]+)`|([A-Za-z_][A-Za-z0-9_]*))\s.*--\s?(.*)$)re"));
    for (const QString& line : tableSql.split(QLatin1Char('\n'))) {
        const auto m = lineRe.match(line);
        if (!m.hasMatch()) continue;
        QString name = m.captured(1);
        if (name.isEmpty()) name = m.captured(2).replace(QStringLiteral("\"\""), QStringLiteral("\""));
        if (name.isEmpty()) name = m.captured(3);
        if (name.isEmpty()) name = m.captured(4);
        descriptions[name.toLower()] = m.captured(5).trimmed();
    }
    const bool autoInc = tableSql.contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    QList<ColumnInfo> out;
    Statement st(conn.handle(),
                 QStringLiteral("SELECT name, type, [notnull], pk FROM pragma_table_info(?1) ORDER BY cid"));
    st.bind(1, realName);
    int pkCount = 0;
    while (st.step()) {
        ColumnInfo c;
        c.Name = st.column(0).toString();
        c.DeclaredType = st.column(1).toString();
        const ColumnType t = typeOfDeclared(c.DeclaredType);
        c.Type = t.type;
        c.DefinedSize = t.definedSize;
        c.Precision = t.precision;
        c.NumericScale = t.scale;
        c.PrimaryKey = st.column(3).toInt() > 0;
        c.Nullable = st.column(2).toInt() == 0 && !c.PrimaryKey;
        c.Description = descriptions.value(c.Name.toLower());
        if (c.PrimaryKey) ++pkCount;
        out << c;
    }
    for (ColumnInfo& c : out)
        if (c.PrimaryKey && pkCount == 1 && autoInc && c.DeclaredType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
            c.AutoIncrement = true;
    return out;
}

void Catalog::RenameColumn(const QString& table, const QString& oldName, const QString& newName) {
    const QList<ColumnInfo> cols = Columns(table);   // 3265 for a table that is not there
    bool found = false;
    for (const ColumnInfo& c : cols)
        if (c.Name.compare(oldName, Qt::CaseInsensitive) == 0) found = true;
    if (!found) vb::raise(vb::err::ItemNotFound);
    ValidateName(newName);
    requireConnection().Execute(QStringLiteral("ALTER TABLE %1 RENAME COLUMN %2 TO %3")
                                    .arg(Connection::Bracket(table), Connection::Bracket(oldName), Connection::Bracket(newName)));
}

}  // namespace db
