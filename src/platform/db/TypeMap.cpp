#include "platform/db/TypeMap.h"

#include "platform/db/StoredDate.h"
#include "platform/db/YesNo.h"

#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace db {

ColumnType typeOfDeclared(const QString& declared) {
    static const QRegularExpression re(QStringLiteral(R"(^\s*([A-Za-z_]+)(?:\s+([A-Za-z_]+))?\s*(?:\(\s*(\d+)\s*(?:,\s*(\d+)\s*)?\))?)"));
    ColumnType t;
    const auto m = re.match(declared);
    if (!m.hasMatch()) return t;
    const QString w = m.captured(1).toUpper();
    const QString w2 = m.captured(2).toUpper();
    const bool hasP = m.capturedLength(3) > 0;
    const int p = m.captured(3).toInt();
    const int s = m.captured(4).toInt();
    if (w == "VARCHAR" || w == "NVARCHAR" || w == "VARYING" || (w == "CHARACTER" && w2 == "VARYING") ||
        (w == "TEXT" && hasP)) {
        t.type = adVarWChar;
        t.definedSize = hasP ? p : 255;
    } else if (w == "CHAR" || w == "NCHAR" || w == "CHARACTER") {
        t.type = adWChar;
        t.definedSize = hasP ? p : 1;
    } else if (w == "LONGTEXT" || w == "MEMO" || w == "TEXT" || w == "NTEXT" || w == "CLOB" || w == "LONGCHAR") {
        t.type = adLongVarWChar;
    } else if (w == "INTEGER" || w == "INT" || w == "LONG" || w == "MEDIUMINT" || w == "INT4" || w == "COUNTER") {
        t.type = adInteger;
    } else if (w == "SMALLINT" || w == "SHORT" || w == "INT2") {
        t.type = adSmallInt;
    } else if (w == "TINYINT" || w == "BYTE") {
        t.type = adUnsignedTinyInt;
    } else if (w == "BIGINT" || w == "INT8") {
        t.type = adBigInt;
    } else if (w == "DOUBLE" || w == "FLOAT" || w == "FLOAT8") {
        t.type = adDouble;
    } else if (w == "REAL" || w == "SINGLE" || w == "FLOAT4") {
        t.type = adSingle;
    } else if (w == "NUMERIC" || w == "DECIMAL") {
        t.type = adNumeric;
        t.precision = hasP ? p : 18;
        t.scale = hasP ? s : 0;
    } else if (w == "DATETIME" || w == "DATE" || w == "TIME" || w == "TIMESTAMP") {
        t.type = adDate;
    } else if (w == "CURRENCY" || w == "MONEY") {
        t.type = adCurrency;
        t.precision = 19;
        t.scale = 4;
    } else if (w == "BIT" || w == "BOOLEAN" || w == "BOOL" || w == "YESNO" || w == "LOGICAL") {
        t.type = adBoolean;
    } else if (w == "BLOB" || w == "LONGBINARY" || w == "IMAGE" || w == "OLEOBJECT") {
        t.type = adLongVarBinary;
    }
    if (t.type == adInteger) t.precision = 10;
    else if (t.type == adSmallInt) t.precision = 5;
    else if (t.type == adUnsignedTinyInt) t.precision = 3;
    else if (t.type == adBigInt) t.precision = 19;
    else if (t.type == adDouble) t.precision = 15;
    else if (t.type == adSingle) t.precision = 7;
    return t;
}

QString declaredTypeOf(const ColumnType& t) {
    switch (t.type) {
    case adVarWChar: return QStringLiteral("VARCHAR(%1)").arg(t.definedSize > 0 ? t.definedSize : 255);
    case adWChar: return QStringLiteral("CHAR(%1)").arg(t.definedSize > 0 ? t.definedSize : 1);
    // Not MEMO: that declared type would give the column numeric affinity ("00123" would become 123).
    case adLongVarWChar: return QStringLiteral("LONGTEXT");
    case adInteger: return QStringLiteral("INTEGER");
    case adSmallInt: return QStringLiteral("SMALLINT");
    case adUnsignedTinyInt: return QStringLiteral("TINYINT");
    case adBigInt: return QStringLiteral("BIGINT");
    case adDouble: return QStringLiteral("DOUBLE");
    case adSingle: return QStringLiteral("REAL");
    case adNumeric: return QStringLiteral("NUMERIC(%1,%2)").arg(t.precision > 0 ? t.precision : 18).arg(t.scale);
    case adDate: return QStringLiteral("DATETIME");
    case adCurrency: return QStringLiteral("CURRENCY");
    case adBoolean: return QStringLiteral("BIT");
    case adLongVarBinary: return QStringLiteral("BLOB");
    default: return {};
    }
}

ColumnType typeOfValue(const QVariant& stored) {
    ColumnType t;
    switch (stored.typeId()) {
    case QMetaType::LongLong: {
        const qint64 v = stored.toLongLong();
        t.type = (v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max()) ? adInteger
                                                                                                        : adBigInt;
        break;
    }
    case QMetaType::Double: t.type = adDouble; break;
    case QMetaType::QString: t.type = adVarWChar; t.definedSize = 0; break;
    case QMetaType::QByteArray: t.type = adLongVarBinary; break;
    default: t.type = adVarWChar; break;   // NULL: no better guess
    }
    return t;
}

QVariant fromStored(const QVariant& stored, AdoType type) {
    if (!stored.isValid() || stored.isNull()) return QVariant();
    const int id = stored.typeId();
    const bool isNum = id == QMetaType::LongLong || id == QMetaType::Double;
    switch (type) {
    case adBoolean:
        if (const auto b = readYesNo(stored)) return QVariant(*b);
        return stored;
    case adDate:
        // Only the stored forms are dates; any other text another program left is shown as it is.
        if (id == QMetaType::QString) {
            if (const auto dt = parseStoredDate(stored.toString())) return QVariant(*dt);
        }
        return stored;
    case adSmallInt:
    case adInteger:
    case adUnsignedTinyInt:
        if (id == QMetaType::LongLong) {
            const qint64 v = stored.toLongLong();
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()) return QVariant(int(v));
        }
        return stored;
    case adNumeric:
    case adCurrency:
    case adDouble:
    case adSingle:
        if (isNum) return QVariant(stored.toDouble());
        return stored;
    case adBigInt:
        return stored;
    default:
        return stored;
    }
}

namespace {

// A number given as a number or as text (the C form first, then the user's locale).
bool toNumber(const QVariant& v, double& out) {
    switch (v.typeId()) {
    case QMetaType::Bool: out = v.toBool() ? -1 : 0; return true;   // VB's True is -1
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Double:
    case QMetaType::Float: out = v.toDouble(); return std::isfinite(out);
    case QMetaType::QString: {
        QString s = v.toString().trimmed();
        if (s.startsWith('$')) s.remove(0, 1);
        bool ok = false;
        out = QLocale::c().toDouble(s, &ok);
        if (!ok) out = QLocale().toDouble(s, &ok);
        return ok && std::isfinite(out);
    }
    default: return false;
    }
}

// Rounds half to even, as the runtime's integer conversions do.
double roundHalfEven(double x) { return std::nearbyint(x); }

// Rounds to the given number of places, halves away from zero.
double roundPlaces(double x, int places) {
    const double f = std::pow(10.0, places);
    return std::round(x * f) / f;
}

}  // namespace

bool toStored(const QVariant& value, const ColumnType& t, QVariant& stored, QString& reason) {
    stored = QVariant();
    const auto refuse = [&reason](const QString& why) {
        reason = why;
        return false;
    };
    if (!value.isValid() || value.isNull()) {
        if (t.type == adBoolean) stored = QVariant(qint64(0));   // a Yes/No column holds no Null
        return true;
    }
    const bool isText = t.type == adVarWChar || t.type == adWChar || t.type == adLongVarWChar;
    if (!isText && t.type != adEmpty && t.type != adLongVarBinary && value.typeId() == QMetaType::QString &&
        value.toString().trimmed().isEmpty()) {
        if (t.type == adBoolean) stored = QVariant(qint64(0));
        return true;   // an emptied box clears the value
    }
    switch (t.type) {
    case adVarWChar:
    case adWChar:
    case adLongVarWChar: {
        QString s;
        if (value.typeId() == QMetaType::QDateTime) s = toStoredDate(value.toDateTime());
        else if (value.typeId() == QMetaType::QDate) s = value.toDate().toString(Qt::ISODate);
        else if (value.typeId() == QMetaType::Bool) s = value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        else s = value.toString();
        if (t.definedSize > 0 && s.size() > t.definedSize)
            return refuse(QStringLiteral("the text is longer than %1 characters").arg(t.definedSize));
        stored = s;
        return true;
    }
    case adBoolean: {
        const auto b = readYesNo(value);
        if (!b) return refuse(QStringLiteral("the value is not True or False"));
        stored = qint64(*b ? 1 : 0);
        return true;
    }
    case adSmallInt:
    case adInteger:
    case adUnsignedTinyInt:
    case adBigInt: {
        double d = 0;
        if (!toNumber(value, d)) return refuse(QStringLiteral("the value is not a number"));
        d = roundHalfEven(d);
        double lo = -2147483648.0, hi = 2147483647.0;
        if (t.type == adSmallInt) lo = -32768, hi = 32767;
        else if (t.type == adUnsignedTinyInt) lo = 0, hi = 255;
        else if (t.type == adBigInt) lo = -9223372036854775808.0, hi = 9223372036854774784.0;
        if (d < lo || d > hi) return refuse(QStringLiteral("the number is out of the column's range"));
        stored = qint64(d);
        return true;
    }
    case adNumeric:
    case adCurrency: {
        double d = 0;
        if (!toNumber(value, d)) return refuse(QStringLiteral("the value is not a number"));
        const int scale = t.type == adCurrency ? 4 : t.scale;
        const int precision = t.type == adCurrency ? 19 : (t.precision > 0 ? t.precision : 18);
        d = roundPlaces(d, scale);
        const bool tooBig = t.type == adCurrency ? std::fabs(d) > 922337203685477.5807
                                                 : std::fabs(d) >= std::pow(10.0, precision - scale);
        if (tooBig) return refuse(QStringLiteral("the number has too many digits for the column"));
        if (d == std::trunc(d) && std::fabs(d) < 9.0e15) stored = qint64(d);
        else stored = d;
        return true;
    }
    case adDouble:
    case adSingle: {
        double d = 0;
        if (!toNumber(value, d)) return refuse(QStringLiteral("the value is not a number"));
        if (t.type == adSingle && std::fabs(d) > double(std::numeric_limits<float>::max()))
            return refuse(QStringLiteral("the number is out of the column's range"));
        stored = d;
        return true;
    }
    case adDate: {
        QDateTime dt;
        switch (value.typeId()) {
        case QMetaType::QDateTime: dt = value.toDateTime(); break;
        case QMetaType::QDate: dt = QDateTime(value.toDate(), QTime(0, 0), Qt::UTC); break;
        case QMetaType::QTime: dt = QDateTime(QDate(1899, 12, 30), value.toTime(), Qt::UTC); break;
        case QMetaType::QString: dt = parseStoredDate(value.toString().trimmed()).value_or(QDateTime()); break;
        default: break;
        }
        if (!dt.isValid()) return refuse(QStringLiteral("the value is not a date"));
        stored = toStoredDate(dt);
        return true;
    }
    case adLongVarBinary:
        stored = value.typeId() == QMetaType::QByteArray ? value : QVariant(value.toString().toUtf8());
        return true;
    default:
        // A column of a type the layer does not know takes the value as it is.
        switch (value.typeId()) {
        case QMetaType::Bool: stored = qint64(value.toBool() ? 1 : 0); break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt: stored = value.toLongLong(); break;
        case QMetaType::Double:
        case QMetaType::Float: stored = value.toDouble(); break;
        case QMetaType::QDateTime: stored = toStoredDate(value.toDateTime()); break;
        case QMetaType::QByteArray: stored = value; break;
        default: stored = value.toString(); break;
        }
        return true;
    }
}

}  // namespace db
