#include "platform/db/YesNo.h"

#include <cmath>

namespace db {

std::optional<bool> readYesNo(QStringView text) {
    const QStringView t = text.trimmed();
    for (const char* word : {"true", "yes", "t"})
        if (t.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) return true;
    for (const char* word : {"false", "no", "f"})
        if (t.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) return false;
    bool ok = false;
    const double n = t.toDouble(&ok);
    if (ok && std::isfinite(n)) return n != 0;
    return std::nullopt;
}

std::optional<bool> readYesNo(const QVariant& value) {
    if (!value.isValid() || value.isNull()) return std::nullopt;
    switch (value.typeId()) {
    case QMetaType::Bool: return value.toBool();
    case QMetaType::QString: return readYesNo(QStringView(value.toString()));
    case QMetaType::QByteArray: return readYesNo(QStringView(QString::fromUtf8(value.toByteArray())));
    default: break;
    }
    bool ok = false;
    const double n = value.toDouble(&ok);
    if (ok && std::isfinite(n)) return n != 0;
    return std::nullopt;
}

}  // namespace db
