#include "reports/AssocDatabase.h"

#include "create/DatabaseBuilder.h"
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"
#include "platform/format/FieldType.h"

namespace reports {

namespace {

QStringList keywordColumns(int k) {
    QStringList out;
    for (int j = 1; j <= k; ++j) out << QStringLiteral("KeyWord") + QString::number(j);
    return out;
}

// The column of an exported field by its type; false for a type that gets no column.
bool appendColumn(db::TableDef& table, const ExportField& f) {
    db::ColumnDef c;
    c.Name = f.name;
    const vb::FieldType type = vb::FieldType::parse(f.type);
    switch (type.kind) {
    case vb::FieldKind::Text: c.Type = db::adVarWChar; break;
    case vb::FieldKind::Memo: c.Type = db::adLongVarWChar; break;
    case vb::FieldKind::Integer: c.Type = db::adInteger; break;
    case vb::FieldKind::Double: c.Type = db::adDouble; break;
    case vb::FieldKind::DateTime: c.Type = db::adDate; break;
    case vb::FieldKind::Decimal:
        c.Type = db::adNumeric;
        c.Precision = 10;
        c.NumericScale = type.scale;
        break;
    case vb::FieldKind::Currency: c.Type = db::adCurrency; break;
    case vb::FieldKind::Boolean: c.Type = db::adBoolean; break;
    case vb::FieldKind::None: return false;
    }
    table.AppendColumn(c);
    return true;
}

// The exported columns that have a column in the new table, in order.
QStringList copiedColumns(const AssocSpec& spec) {
    db::TableDef probe;
    QStringList out;
    for (const ExportField& f : spec.rows.fields)
        if (appendColumn(probe, f)) out << f.name;
    return out + keywordColumns(spec.keywords);
}

}  // namespace

void CreateAssocDB(const QString& path, const AssocSpec& spec) {
    dblayout::CreateUserTable(path, kAssocIdDescription, spec.hasNotes, [&](db::TableDef& table) {
        for (const ExportField& f : spec.rows.fields) appendColumn(table, f);
        for (const QString& k : keywordColumns(spec.keywords)) table.AppendColumn(db::ColumnDef(k, db::adVarWChar));
    });
}

qint64 TransferRecords(db::Connection& source, const QString& path, const AssocSpec& spec) {
    QStringList cols;
    for (const QString& c : copiedColumns(spec)) cols << db::Connection::Bracket(c);
    const QString list = cols.join(QStringLiteral(", "));
    // The target numbers its rows afresh, in the order the rows come.
    const QString sql = QStringLiteral("INSERT INTO [outdb].[UserTable] (") + list + QStringLiteral(") SELECT ") + list +
                        QStringLiteral(" FROM [main].[UserTable]") + rowsClause(spec.rows);
    source.Execute(QStringLiteral("ATTACH DATABASE ?1 AS [outdb]"), {path});
    qint64 copied = 0;
    try {
        copied = source.Execute(sql);
    } catch (...) {
        source.Execute(QStringLiteral("DETACH DATABASE [outdb]"));
        throw;
    }
    source.Execute(QStringLiteral("DETACH DATABASE [outdb]"));
    return copied;
}

}  // namespace reports
