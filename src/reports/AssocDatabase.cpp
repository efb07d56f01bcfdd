#include "reports/AssocDatabase.h"

#include "create/DatabaseBuilder.h"
#include "platform/db/Catalog.h"
#include "platform/db/Connection.h"
#include "platform/format/DataFormat.h"

namespace reports {

namespace {

QStringList keywordColumns(int k) {
    QStringList out;
    for (int j = 1; j <= k; ++j) out << QStringLiteral("KeyWord") + QString::number(j);
    return out;
}

// The column of an exported field by its type name; false for a type that gets no column.
bool appendColumn(db::TableDef& table, const ExportField& f) {
    db::ColumnDef c;
    c.Name = f.name;
    c.Attributes = 3;
    if (f.type == u"Text") c.Type = db::adVarWChar;
    else if (f.type == u"Memo") c.Type = db::adLongVarWChar;
    else if (f.type == u"Integer") c.Type = db::adInteger;
    else if (f.type == u"Double") c.Type = db::adDouble;
    else if (f.type == u"Date/Time") {
        c.Type = db::adDate;
        c.Attributes = 2;
    } else if (f.type.left(7) == u"Decimal") {
        c.Type = db::adNumeric;
        c.Precision = 10;
        c.NumericScale = vb::decimalPlacesOf(f.type);
    } else if (f.type == u"Currency") c.Type = db::adCurrency;
    else if (f.type == u"True/False") {
        c.Type = db::adBoolean;
        c.Attributes = 0;
    } else return false;
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
    db::Catalog cat;
    try {
        cat.Create(dblayout::CreateConnStr(path));
        db::TableDef table(QStringLiteral("UserTable"));
        dblayout::AppendRecordId(table, kAssocIdDescription);
        for (const ExportField& f : spec.rows.fields) appendColumn(table, f);
        for (const QString& k : keywordColumns(spec.keywords)) {
            db::ColumnDef kw(k, db::adVarWChar);
            kw.Attributes = 3;
            table.AppendColumn(kw);
        }
        dblayout::AppendHiddenColumns(table, spec.hasNotes);
        cat.Append(table);
    } catch (...) {
        cat.Close();
        throw;
    }
    cat.Close();
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
