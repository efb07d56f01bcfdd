#include "platform/format/DataFormat.h"

#include "platform/core/VbError.h"
#include "platform/db/YesNo.h"
#include "platform/format/UserDates.h"
#include "platform/format/VbConvert.h"
#include "platform/format/VbFormat.h"

#include <cmath>

namespace vb {

QString decimalFormatText(int scale) { return QStringLiteral("####.") + QString(std::max(scale, 0), u'0'); }

DataFormat DataFormat::forFieldType(const FieldType& type) {
    switch (type.valueKind()) {
    case ValueKind::Integer: return DataFormat(General, QStringLiteral("0"));
    case ValueKind::Double: return DataFormat(General, QStringLiteral("0###.000"));
    case ValueKind::Decimal: return DataFormat(General, decimalFormatText(type.scale));
    case ValueKind::Currency: return DataFormat(Custom, QStringLiteral("$0.00"));
    case ValueKind::Boolean: return DataFormat(Boolean, {});
    case ValueKind::DateTime:
    case ValueKind::Text: break;
    }
    return DataFormat();
}

namespace {

// A number as stored: numeric types, booleans as 1/0, and text in the C notation SQLite keeps.
std::optional<double> storedNumber(const QVariant& v) {
    if (IsNull(v)) return std::nullopt;
    if (v.typeId() == QMetaType::Bool) return v.toBool() ? 1.0 : 0.0;
    if (v.typeId() == QMetaType::QString || v.typeId() == QMetaType::QByteArray) {
        bool ok = false;
        const double d = v.toString().trimmed().toDouble(&ok);
        if (ok) return d;
        return std::nullopt;
    }
    if (IsNumeric(v)) return v.toDouble();
    return std::nullopt;
}

std::optional<bool> storedBool(const QVariant& v) { return db::readYesNo(v); }

}  // namespace

QString DataFormat::display(const QVariant& stored, ValueKind kind) const {
    if (IsNull(stored)) return (Type == Boolean || kind == ValueKind::Boolean) ? NullValue : QString();
    switch (kind) {
    case ValueKind::Boolean:
        if (auto b = storedBool(stored)) return *b ? TrueValue : FalseValue;
        return stored.toString();
    case ValueKind::DateTime:
        if (auto dt = storedDate(stored)) return Format.isEmpty() ? generalDate(*dt) : vb::Format(*dt, Format);
        return stored.toString();
    case ValueKind::Integer:
    case ValueKind::Double:
    case ValueKind::Decimal:
    case ValueKind::Currency:
        if (auto n = storedNumber(stored)) return vb::Format(*n, Format);
        return stored.toString();
    case ValueKind::Text: break;
    }
    if (Type == Boolean) {
        if (auto b = storedBool(stored)) return *b ? TrueValue : FalseValue;
    }
    return Format.isEmpty() ? stored.toString() : vb::Format(stored, Format);
}

QVariant DataFormat::normalized(const QVariant& stored, ValueKind kind) const {
    switch (kind) {
    case ValueKind::Text: return stored.toString();
    case ValueKind::Boolean:
        if (auto b = storedBool(stored)) return *b;
        break;
    case ValueKind::DateTime:
        if (auto dt = storedDate(stored)) return *dt;
        break;
    case ValueKind::Integer:
        // A fraction stored by another program is kept as it is, not rounded behind the user's back.
        if (auto n = storedNumber(stored)) return *n == std::floor(*n) ? QVariant(qlonglong(*n)) : QVariant(*n);
        break;
    case ValueKind::Double:
    case ValueKind::Decimal:
    case ValueKind::Currency:
        if (auto n = storedNumber(stored)) return *n;
        break;
    }
    return stored;
}

QVariant DataFormat::parse(const QString& text, ValueKind kind, const QVariant& current) const {
    if (!IsNull(current) && display(current, kind) == text) return normalized(current, kind);
    if (kind == ValueKind::Text) return text.isEmpty() ? QVariant() : QVariant(text);

    const QString t = text.trimmed();
    if (kind == ValueKind::Boolean && !NullValue.isEmpty() && t == NullValue) return {};
    if (t.isEmpty()) return {};

    switch (kind) {
    case ValueKind::Boolean: {
        // The format's own words, then the program's one reading.
        auto is = [&](const QString& a) { return !a.isEmpty() && t.compare(a, Qt::CaseInsensitive) == 0; };
        if (is(TrueValue)) return true;
        if (is(FalseValue)) return false;
        if (auto b = db::readYesNo(QStringView(t))) return *b;
        if (auto n = parseNumber(t)) return *n != 0;
        raise(err::TypeMismatch);
    }
    case ValueKind::DateTime:
        // Whatever the box's format, a typed date is read by the one rule for the whole program.
        if (auto dt = readUserDate(t)) return *dt;
        raise(err::TypeMismatch);
    case ValueKind::Integer:
    case ValueKind::Double:
    case ValueKind::Decimal:
    case ValueKind::Currency: {
        // A pattern of "#" only shows zero as nothing but its point ("####." shows ".").
        QVariant number = t;
        if (!parseNumber(t) && !Format.isEmpty() && t == vb::Format(0.0, Format).trimmed()) number = 0.0;
        if (kind == ValueKind::Integer) return qlonglong(CLng(number));
        if (kind == ValueKind::Currency) return CCur(number);
        return CDbl(number);
    }
    case ValueKind::Text: break;
    }
    return text;
}

}  // namespace vb
