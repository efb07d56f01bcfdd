#include "create/DatabaseBuilder.h"

#include "platform/core/UiServices.h"
#include "platform/core/VbError.h"
#include "platform/format/FieldType.h"
#include "platform/format/VbConvert.h"

using db::ColumnDef;
using db::TableDef;

namespace dblayout {

QString CreateConnStr(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") + QStringLiteral("Jet OLEDB:Engine Type=5;") +
           QStringLiteral("Data Source=") + path;
}

void AppendRecordId(TableDef& table, const QString& description) {
    table.AppendColumn(QStringLiteral("TolvaneID"), db::adInteger);
    ColumnDef& id = table.Column(QStringLiteral("TolvaneID"));
    id.SetProperty(QStringLiteral("AutoIncrement"), true);
    id.SetProperty(QStringLiteral("Description"), description);
    id.SetProperty(QStringLiteral("Nullable"), false);
    id.SetProperty(QStringLiteral("Jet OLEDB:Compressed UNICODE Strings"), false);
    db::IndexDef pk;
    pk.Name = QStringLiteral("TolvaneID");
    pk.PrimaryKey = true;
    pk.Unique = true;
    pk.Columns << QStringLiteral("TolvaneID");
    table.AppendIndex(pk);
}

void AppendHiddenColumns(TableDef& table, bool withNotes) {
    auto mark = [&](const QString& name, const QString& description) {
        ColumnDef c(name, db::adSmallInt);
        table.AppendColumn(c);
        table.Column(name).SetProperty(QStringLiteral("Description"), description);
    };
    mark(QStringLiteral("SrchInt"), kSrchIntDescription);
    mark(QStringLiteral("SrchKey"), kSrchKeyDescription);
    if (withNotes) mark(QStringLiteral("SrchMemo"), kSrchMemoDescription);
    table.AppendColumn(ColumnDef(QStringLiteral("RptFlg"), db::adBoolean));
}

void AddFirstAccount(db::Connection& conn) {
    conn.Execute(QStringLiteral("INSERT INTO UserProfile (UserName, FullName, UserDescription, UserLevel, PassWrd) "
                                "VALUES (?1, ?2, ?3, ?4, ?5)"),
                 {QStringLiteral("Admin"), QStringLiteral("Administrator"), QStringLiteral("Admin Has Full Rights On Database"),
                  QStringLiteral("SUPRVR"), QString(QLatin1String(""))});
}

void CreateUserTable(const QString& path, const QString& idDescription, bool withNotes,
                     const std::function<void(TableDef&)>& columns) {
    db::Catalog cat;
    try {
        cat.Create(CreateConnStr(path));
        TableDef table(QStringLiteral("UserTable"));
        AppendRecordId(table, idDescription);
        columns(table);
        AppendHiddenColumns(table, withNotes);
        cat.Append(table);
    } catch (...) {
        cat.Close();
        throw;
    }
    cat.Close();
}

TableDef UserProfileTable() {
    struct Col {
        const char* name;
        int size;
        const char* description;
        bool nullable;
    };
    static const Col cols[] = {
        {"UserName", 20, "User Login Name", false},
        {"FullName", 25, "Full Name of User", true},
        {"UserDescription", 100, "Description of User", true},
        {"UserLevel", 8, "Security Level Of User", false},
        {"PassWrd", 8, "Password Of User", true},
    };
    TableDef t(QStringLiteral("UserProfile"));
    for (const Col& c : cols) {
        const QString name = QString::fromLatin1(c.name);
        t.AppendColumn(name, db::adVarWChar, c.size);
        ColumnDef& col = t.Column(name);
        col.SetProperty(QStringLiteral("Description"), QString::fromLatin1(c.description));
        col.SetProperty(QStringLiteral("Nullable"), c.nullable);
        col.SetProperty(QStringLiteral("Jet OLEDB:Compressed UNICODE Strings"), false);
    }
    return t;
}

}  // namespace dblayout

namespace {

// The description-field column of one form row; false when the row's type is none of the seven.
bool appendFieldColumn(TableDef& table, const DbFieldRow& row) {
    const vb::FieldType type = vb::FieldType::parse(row.type);
    ColumnDef c;
    c.Name = row.name;
    if (type.kind == vb::FieldKind::Text) {
        c.Type = db::adVarWChar;
        if (type.filePath) {
            c.Name = row.name + QStringLiteral("FP");
            c.DefinedSize = 100;
        }
    } else if (type.kind == vb::FieldKind::Integer) {
        c.Type = db::adInteger;
    } else if (type.kind == vb::FieldKind::Decimal) {
        c.NumericScale = vb::CByte(row.decimals);
        c.Precision = 10;
        c.Type = db::adNumeric;
    } else if (type.kind == vb::FieldKind::DateTime) {
        c.Type = db::adDate;
    } else if (type.kind == vb::FieldKind::Currency) {
        c.Type = db::adCurrency;
    } else if (type.kind == vb::FieldKind::Boolean) {
        c.Type = db::adBoolean;
    } else {
        return false;
    }
    table.AppendColumn(c);
    return true;
}

}  // namespace

DatabaseBuildResult BuildDatabase(const QString& sNewFileName, const DatabaseDefinition& def) {
    DatabaseBuildResult result;
    db::Catalog cat;
    vb::VbError failure;
    bool failed = false;
    try {
        // 1. The empty file.
        cat.Create(dblayout::CreateConnStr(sNewFileName));
        // 2. The field count.
        result.NoFields = vb::CInt(def.noFieldsText);
        // 3 to 5. The table with its record id and primary key.
        TableDef table(QStringLiteral("UserTable"));
        dblayout::AppendRecordId(table);
        // 6. The description fields, row by row; the form has 20 rows.
        for (int i = 1; i <= result.NoFields; ++i) {
            if (i > DatabaseDefinition::kRows)
                vb::raise(vb::err::ControlArrayElement,
                          QStringLiteral("Control array element '%1' doesn't exist").arg(i));
            const DbFieldRow row = i <= def.rows.size() ? def.rows[i - 1] : DbFieldRow{};
            appendFieldColumn(table, row);
        }
        // 7. Notes.
        if (def.bMemo) table.AppendColumn(ColumnDef(QStringLiteral("Memofld"), db::adLongVarWChar));
        // 8. Keywords.
        const int keywords = def.keyWordsText.isEmpty() ? 0 : vb::CInt(def.keyWordsText);
        for (int j = 1; j <= keywords; ++j)
            table.AppendColumn(ColumnDef(QStringLiteral("KeyWord") + QString::number(j), db::adVarWChar));
        // 9 to 12. The search marks and the report flag.
        dblayout::AppendHiddenColumns(table, def.bMemo);
        // 13, 14. The tables, together or not at all.
        db::Connection& conn = cat.ActiveConnection();
        conn.BeginTrans();
        try {
            cat.Append(table);
            if (def.bUserSec) cat.Append(dblayout::UserProfileTable());
            if (def.bUserSec && def.firstAccount) dblayout::AddFirstAccount(conn);
            conn.CommitTrans();
        } catch (...) {
            if (conn.InTransaction()) conn.RollbackTrans();
            throw;
        }
    } catch (const vb::VbError& e) {
        failure = e;
        failed = true;
    } catch (const std::exception& e) {
        failure = vb::VbError(vb::err::E_FAIL_, QString::fromLocal8Bit(e.what()));
        failed = true;
    }
    // 15. Release the catalogue, which closes the file.
    cat.Close();
    if (failed) {
        vb::MsgBox(QStringLiteral(" Error No. ") + QString::number(failure.number) + QStringLiteral(" ") +
                       QStringLiteral("\r\n") + failure.description,
                   vb::vbCritical | vb::vbOKOnly, QStringLiteral("Create New Database Error"));
        result.bCreateFailed = true;
        result.errorNumber = failure.number;
        result.errorDescription = failure.description;
    }
    return result;
}
