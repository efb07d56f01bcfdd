#include "create/ImportBuilder.h"

#include "create/DatabaseBuilder.h"
#include "platform/core/VbError.h"
#include "platform/db/Catalog.h"
#include "platform/format/VbConvert.h"

#include <QRegularExpression>
#include <QStringList>

namespace importdb {

bool ColumnFor(int16_t adoType, db::AdoType& type) {
    switch (adoType) {
    case db::adVarWChar:
    case db::adInteger:
    case db::adDouble:
    case db::adDate:
    case db::adCurrency:
    case db::adBoolean: type = db::AdoType(adoType); return true;
    default: return false;
    }
}

int FieldColumnCount(const ImportFunct& columns) {
    int n = 0;
    db::AdoType type;
    for (const auto& item : columns)
        if (ColumnFor(item->FldType, type)) ++n;
    return n;
}

namespace {

// Why name cannot be a column of a database of this program, or "".
QString reservedReason(const QString& name) {
    static const QStringList ownNames = {QStringLiteral("TolvaneID"), QStringLiteral("Memofld"), QStringLiteral("SrchInt"),
                                         QStringLiteral("SrchKey"), QStringLiteral("SrchMemo"), QStringLiteral("RptFlg")};
    static const QRegularExpression keywordColumn(QStringLiteral("^keyword[0-9]+$"),
                                                  QRegularExpression::CaseInsensitiveOption);
    const auto own = [&] {
        return QStringLiteral("The field name '%1' is the name of one of the database's own columns. "
                              "Please remove it from the import list.")
            .arg(name);
    };
    for (const QString& n : ownNames)
        if (name.compare(n, Qt::CaseInsensitive) == 0) return own();
    if (keywordColumn.match(name).hasMatch()) return own();
    // The entry view knows its columns by how their names begin.
    if (name.startsWith(QLatin1String("Key")))
        return QStringLiteral("The field name '%1' begins with Key, which is reserved for keyword columns. "
                              "Please remove it from the import list.")
            .arg(name);
    for (const char* prefix : {"SrchInt", "SrchKey", "Memofld"})
        if (name.startsWith(QLatin1String(prefix)))
            return QStringLiteral("The field name '%1' begins with %2, which is reserved for the database's own columns. "
                                  "Please remove it from the import list.")
                .arg(name, QLatin1String(prefix));
    return {};
}

}  // namespace

QString RefusedColumnName(const ImportFunct& columns) {
    QStringList seen;
    db::AdoType type;
    for (const auto& item : columns) {
        if (!ColumnFor(item->FldType, type)) continue;
        const QString& name = item->FldName;
        for (const QString& earlier : seen) {
            if (earlier == name)
                return QStringLiteral("The field name '%1' is in the import list twice. Please remove one of them.").arg(name);
            if (earlier.compare(name, Qt::CaseInsensitive) == 0)
                return QStringLiteral("The field names '%1' and '%2' differ only in case, which the database does not "
                                      "tell apart. Please remove one of them.")
                    .arg(earlier, name);
        }
        const QString reason = reservedReason(name);
        if (!reason.isEmpty()) return reason;
        seen << name;
    }
    return {};
}

int KeywordCount(const QString& keyWordsText) { return keyWordsText.isEmpty() ? 0 : vb::CInt(keyWordsText); }

void BuildImportDatabase(const QString& path, const ImportFunct& columns, bool notes, const QString& keyWordsText) {
    const int32_t count = columns.Count();
    const int keywords = KeywordCount(keyWordsText);
    if (FieldColumnCount(columns) > kMaxFields)
        vb::raise(vb::err::InvalidProcCall, QStringLiteral("A database holds at most %1 fields.").arg(kMaxFields));
    if (keywords > kMaxKeywords)
        vb::raise(vb::err::InvalidProcCall, QStringLiteral("A database holds at most %1 keywords.").arg(kMaxKeywords));
    if (const QString refused = RefusedColumnName(columns); !refused.isEmpty()) vb::raise(vb::err::InvalidProcCall, refused);

    dblayout::CreateUserTable(path, kTolvaneIdDescription, notes, [&](db::TableDef& table) {
        for (int32_t i = 1; i <= count; ++i) {
            const auto item = columns.Item(i);
            db::ColumnDef c;
            c.Name = item->FldName;
            if (ColumnFor(item->FldType, c.Type)) table.AppendColumn(c);
        }
        if (notes) table.AppendColumn(db::ColumnDef(QStringLiteral("Memofld"), db::adLongVarWChar));
        for (int j = 1; j <= keywords; ++j)
            table.AppendColumn(db::ColumnDef(QStringLiteral("KeyWord") + QString::number(j), db::adVarWChar));
    });
}

}  // namespace importdb
