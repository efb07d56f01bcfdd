#include "reports/ExportSpec.h"

#include "platform/db/Connection.h"
#include "platform/format/FieldType.h"

namespace reports {

QStringList ExportSpec::columnNames() const {
    QStringList out;
    for (const ExportField& f : fields) out << f.name;
    return out;
}

int ViewChoices::tickedCount() const {
    int n = 0;
    for (size_t i = 1; i < ticked.size(); ++i) n += ticked[i] ? 1 : 0;
    return n;
}

ExportSpec specFor(const QList<ExportField>& descFields, const ViewChoices& v, bool allFields, bool notes,
                   bool searchPresent) {
    ExportSpec spec;
    if (!allFields && v.tickedFields) {
        spec.fields = *v.tickedFields;
    } else {
        for (int i = 0; i < descFields.size(); ++i) {
            const int slot = i + 1;
            if (allFields || (slot < int(v.ticked.size()) && v.ticked[size_t(slot)])) spec.fields << descFields[i];
        }
    }
    if (notes) spec.fields << ExportField{QStringLiteral("Memofld"), vb::FieldType{vb::FieldKind::Memo}.name()};
    if (v.srchRes && searchPresent) spec.searchResult = true;
    else if (v.sortText != kSortOff && !v.sortText.isEmpty()) spec.sortField = v.sortText;
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
