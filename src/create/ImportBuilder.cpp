#include "create/ImportBuilder.h"

#include "create/DatabaseBuilder.h"
#include "platform/core/VbError.h"
#include "platform/db/Catalog.h"
#include "platform/format/VbConvert.h"

namespace importdb {

bool ColumnFor(int16_t adoType, db::AdoType& type, int& attributes) {
    switch (adoType) {
    case db::adVarWChar: type = db::adVarWChar; attributes = 3; return true;
    case db::adInteger: type = db::adInteger; attributes = 3; return true;
    case db::adDouble: type = db::adDouble; attributes = 3; return true;
    case db::adDate: type = db::adDate; attributes = 2; return true;
    case db::adCurrency: type = db::adCurrency; attributes = 3; return true;
    case db::adBoolean: type = db::adBoolean; attributes = 0; return true;
    default: return false;
    }
}

int FieldColumnCount(const ImportFunct& columns) {
    int n = 0;
    db::AdoType type;
    int attributes = 0;
    for (const auto& item : columns)
        if (ColumnFor(item->FldType, type, attributes)) ++n;
    return n;
}

int KeywordCount(const QString& keyWordsText) { return keyWordsText.isEmpty() ? 0 : vb::CInt(keyWordsText); }

void BuildImportDatabase(const QString& path, const ImportFunct& columns, bool notes, const QString& keyWordsText) {
    const int32_t count = columns.Count();
    const int keywords = KeywordCount(keyWordsText);
    if (FieldColumnCount(columns) > kMaxFields)
        vb::raise(vb::err::InvalidProcCall, QStringLiteral("A database holds at most %1 fields.").arg(kMaxFields));
    if (keywords > kMaxKeywords)
        vb::raise(vb::err::InvalidProcCall, QStringLiteral("A database holds at most %1 keywords.").arg(kMaxKeywords));

    db::Catalog cat;
    try {
        cat.Create(dblayout::CreateConnStr(path));
        db::TableDef table(QStringLiteral("UserTable"));
        dblayout::AppendRecordId(table, kTolvaneIdDescription);
        for (int32_t i = 1; i <= count; ++i) {
            const auto item = columns.Item(i);
            db::ColumnDef c;
            c.Name = item->FldName;
            if (!ColumnFor(item->FldType, c.Type, c.Attributes)) continue;
            table.AppendColumn(c);
        }
        if (notes) {
            db::ColumnDef memo(QStringLiteral("Memofld"), db::adLongVarWChar);
            memo.Attributes = 3;
            table.AppendColumn(memo);
        }
        for (int j = 1; j <= keywords; ++j) {
            db::ColumnDef kw(QStringLiteral("KeyWord") + QString::number(j), db::adVarWChar);
            kw.Attributes = 3;
            table.AppendColumn(kw);
        }
        dblayout::AppendHiddenColumns(table, notes);
        cat.Append(table);
    } catch (...) {
        cat.Close();
        throw;
    }
    cat.Close();
}

}  // namespace importdb
