#pragma once
// A number as decimal digits, rounded in decimal: the engine's rounding works on the digits a user
// sees (15 significant, as VB shows a Double), so 1.005 rounds like the text "1.005" does and not
// like its binary neighbour 1.00499999...
#include <QString>

namespace vb::decimal {

enum class Rounding { HalfAwayFromZero, HalfEven };

struct DecimalText {
    bool negative = false;
    QString digits;     // no leading zeros except a lone "0"; may be empty for zero
    int pointPos = 0;   // digits before the decimal point (may be <= 0 or > digits.size())

    static DecimalText fromDouble(double v);         // 15 significant digits

    bool isZero() const;
    // Rounds to `places` digits after the point (places may be negative: tens, hundreds...).
    void round(int places, Rounding mode);
    // Whole-number digits ("0" when none) and the fraction digits padded to `places`.
    QString integerDigits() const;
    QString fractionDigits(int places) const;
    double toDouble() const;
};

}  // namespace vb::decimal
