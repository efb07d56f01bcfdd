#include "platform/format/FieldType.h"

#include <array>
#include <utility>

namespace vb {

namespace {

struct Named {
    QStringView name;
    FieldKind kind;
};

// The field list's names, one per kind, then the create form's names that differ from them.
constexpr std::array<Named, 11> kNames{{{u"Text", FieldKind::Text},
                                       {u"Memo", FieldKind::Memo},
                                       {u"Integer", FieldKind::Integer},
                                       {u"Double", FieldKind::Double},
                                       {u"Decimal", FieldKind::Decimal},
                                       {u"Date/Time", FieldKind::DateTime},
                                       {u"Currency", FieldKind::Currency},
                                       {u"True/False", FieldKind::Boolean},
                                       {u"Number/Integer", FieldKind::Integer},
                                       {u"Number/Double", FieldKind::Decimal},
                                       {u"FilePath", FieldKind::Text}}};
constexpr QStringView kFilePathName = u"FilePath";

QString baseName(FieldKind kind) {
    for (const Named& n : kNames)
        if (n.kind == kind) return n.name.toString();
    return {};
}

bool isFilePathColumn(const QString& columnName) { return columnName.endsWith(u"FP"); }

}  // namespace

FieldType FieldType::parse(const QString& typeName, const QString& columnName) {
    FieldType t;
    if (typeName.startsWith(u"Decimal")) {
        t.kind = FieldKind::Decimal;
        const int slash = typeName.lastIndexOf(u'/');
        t.scale = slash < 0 ? 0 : typeName.mid(slash + 1).toInt();
        return t;
    }
    for (const Named& n : kNames)
        if (typeName == n.name) t.kind = n.kind;
    t.filePath = t.kind == FieldKind::Text && (typeName == kFilePathName || isFilePathColumn(columnName));
    return t;
}

FieldType FieldType::ofColumn(int adoType, int numericScale, const QString& columnName) {
    FieldType t = parse(adoTypeName(adoType), columnName);
    if (t.kind == FieldKind::Decimal) t.scale = numericScale;
    return t;
}

QString FieldType::name() const {
    return kind == FieldKind::Decimal ? decimalTypeName(scale) : baseName(kind);
}

ValueKind FieldType::valueKind() const {
    switch (kind) {
    case FieldKind::Integer: return ValueKind::Integer;
    case FieldKind::Double: return ValueKind::Double;
    case FieldKind::Decimal: return ValueKind::Decimal;
    case FieldKind::Currency: return ValueKind::Currency;
    case FieldKind::DateTime: return ValueKind::DateTime;
    case FieldKind::Boolean: return ValueKind::Boolean;
    case FieldKind::None:
    case FieldKind::Text:
    case FieldKind::Memo: break;
    }
    return ValueKind::Text;
}

QString adoTypeName(int adoType) {
    static const std::pair<int, FieldKind> kCodes[] = {
        {202, FieldKind::Text},   {203, FieldKind::Memo},     {2, FieldKind::Integer},
        {3, FieldKind::Integer},  {5, FieldKind::Double},     {131, FieldKind::Decimal},
        {7, FieldKind::DateTime}, {6, FieldKind::Currency},   {11, FieldKind::Boolean}};
    for (const auto& [code, kind] : kCodes)
        if (code == adoType) return baseName(kind);
    return {};
}

QString decimalTypeName(int scale) { return baseName(FieldKind::Decimal) + u'/' + QString::number(scale); }

}  // namespace vb
