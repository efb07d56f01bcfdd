#include "platform/core/Colors.h"

#include "platform/core/VbError.h"

namespace vb {

QColor winRgbToQColor(uint32_t winRgb) {
    return QColor(int(winRgb & 0xFF), int((winRgb >> 8) & 0xFF), int((winRgb >> 16) & 0xFF));
}

uint32_t qColorToWinRgb(const QColor& colour) { return RGB(colour.red(), colour.green(), colour.blue()); }

int32_t colourFromText(const QString& text) {
    // The settings reader keeps a value only up to a zero character.
    QString t = text.left(text.indexOf(QChar(0)) < 0 ? text.size() : text.indexOf(QChar(0))).trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok);
    if (!ok) {
        const double d = t.toDouble(&ok);
        if (!ok) raise(err::TypeMismatch);
        if (d < -2147483648.5 || d > 2147483647.5) raise(err::Overflow);
        return int32_t(qRound64(d));
    }
    if (v < INT32_MIN || v > INT32_MAX) raise(err::Overflow);
    return int32_t(v);
}

uint32_t colourOrDefault(const QString& text, uint32_t fallback) {
    try {
        const int32_t v = colourFromText(text);
        if (v < 0 || v > 0xFFFFFF) return fallback;
        return uint32_t(v);
    } catch (const VbError&) {
        return fallback;
    }
}

}  // namespace vb
