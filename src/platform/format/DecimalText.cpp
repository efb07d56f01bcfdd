#include "platform/format/DecimalText.h"

#include <cmath>

namespace vb::decimal {

namespace {

void normalize(DecimalText& d) {
    int lead = 0;
    while (lead < d.digits.size() && d.digits[lead] == u'0') ++lead;
    d.digits.remove(0, lead);
    d.pointPos -= lead;
    while (!d.digits.isEmpty() && d.digits.back() == u'0') d.digits.chop(1);
    if (d.digits.isEmpty()) {
        d.pointPos = 0;
        d.negative = false;
    }
}

}  // namespace

DecimalText DecimalText::fromDouble(double v) {
    DecimalText d;
    if (v == 0 || !std::isfinite(v)) return d;
    d.negative = v < 0;
    // "d.dddddddddddddde+XX"
    const QString s = QString::number(std::fabs(v), 'e', 14);
    const int e = s.indexOf(u'e');
    d.digits = s.left(e);
    d.digits.remove(u'.');
    d.pointPos = s.mid(e + 1).toInt() + 1;
    normalize(d);
    return d;
}

bool DecimalText::isZero() const { return digits.isEmpty(); }

void DecimalText::round(int places, Rounding mode) {
    const int keep = pointPos + places;  // digits kept
    if (keep >= digits.size()) return;
    if (keep < 0) {
        digits.clear();
        normalize(*this);
        return;
    }
    const QChar next = digits[keep];
    bool restNonZero = false;
    for (int i = keep + 1; i < digits.size(); ++i)
        if (digits[i] != u'0') { restNonZero = true; break; }
    bool up = false;
    if (next > u'5') up = true;
    else if (next == u'5') {
        if (mode == Rounding::HalfAwayFromZero || restNonZero) up = true;
        else up = keep > 0 && (digits[keep - 1].digitValue() % 2 == 1);
    }
    digits.truncate(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && digits[i] == u'9') {
            digits[i] = u'0';
            --i;
        }
        if (i >= 0) digits[i] = QChar(digits[i].unicode() + 1);
        else {
            digits.prepend(u'1');
            ++pointPos;
        }
    }
    normalize(*this);
}

QString DecimalText::integerDigits() const {
    if (pointPos <= 0 || digits.isEmpty()) return QStringLiteral("0");
    QString s = digits.left(pointPos);
    if (s.size() < pointPos) s += QString(pointPos - s.size(), u'0');
    return s;
}

QString DecimalText::fractionDigits(int places) const {
    QString s;
    for (int i = 0; i < places; ++i) {
        const int idx = pointPos + i;
        s += (idx >= 0 && idx < digits.size()) ? digits[idx] : QChar(u'0');
    }
    return s;
}

double DecimalText::toDouble() const {
    if (digits.isEmpty()) return 0.0;
    QString s = negative ? QStringLiteral("-0.") : QStringLiteral("0.");
    s += digits + u'e' + QString::number(pointPos);
    return s.toDouble();
}

}  // namespace vb::decimal
