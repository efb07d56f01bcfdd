#include "reports/ExportSpec.h"

#include "platform/db/Connection.h"
#include "platform/format/FieldType.h"

namespace reports {

ExportSpec specFor(const QList<ExportField>& descFields, const ReportChoices& v, bool allFields, bool notes,
                   bool searchPresent) {
    ExportSpec spec;
    if (allFields) spec.fields = descFields;
    else
        for (const ReportColumn& c : v.columns) spec.fields << ExportField{c.fieldName, c.fieldType};
    if (notes) spec.fields << ExportField{QStringLiteral("Memofld"), vb::FieldType{vb::FieldKind::Memo}.name()};
    if (v.searchResults && searchPresent) spec.searchResult = true;
    else spec.sortField = v.sortField;
    return spec;
}

QString rowsClause(const ExportSpec& spec) {
    if (spec.searchResult) return QStringLiteral(" WHERE [RptFlg] = 1");
    if (!spec.sortField.isEmpty()) return QStringLiteral(" ORDER BY ") + db::Connection::Bracket(spec.sortField);
    return {};
}

QString selectSql(const ExportSpec& spec) {
    QStringList cols;
    for (const ExportField& f : spec.fields) cols << db::Connection::Bracket(f.name);
    return QStringLiteral("SELECT ") + cols.join(QStringLiteral(", ")) + QStringLiteral(" FROM [UserTable]") +
           rowsClause(spec);
}

QString countSql(const ExportSpec& spec) {
    return QStringLiteral("SELECT COUNT(*) FROM [UserTable]") + (spec.searchResult ? rowsClause(spec) : QString());
}

}  // namespace reports
