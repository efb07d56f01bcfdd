#include "platform/db/NumericRange.h"

#include <cfloat>
#include <cmath>

namespace db {

std::optional<NumericRange> numericRangeOf(AdoType type, int precision, int scale) {
    switch (type) {
    case adSmallInt: return NumericRange{-32768.0, 32767.0, 0};
    case adInteger: return NumericRange{-2147483648.0, 2147483647.0, 0};
    case adTinyInt: return NumericRange{-128.0, 127.0, 0};
    case adUnsignedTinyInt: return NumericRange{0.0, 255.0, 0};
    case adBigInt: return NumericRange{-9223372036854775808.0, 9223372036854774784.0, 0};
    case adCurrency: return NumericRange{-922337203685477.5807, 922337203685477.5807, 4};
    case adSingle: return NumericRange{-double(FLT_MAX), double(FLT_MAX), -1};
    case adDouble: return NumericRange{-DBL_MAX, DBL_MAX, -1};
    case adNumeric: {
        // As the column is declared; one without a precision holds 18 digits.
        const int p = precision > 0 ? precision : 18;
        const int s = std::max(0, std::min(scale, p));
        const double high = std::pow(10.0, p - s) - std::pow(10.0, -s);
        return NumericRange{-high, high, s};
    }
    default: return std::nullopt;
    }
}

bool NumericRange::contains(double value) const {
    if (!std::isfinite(value)) return false;
    double v = value;
    if (places == 0) v = std::nearbyint(value);   // halves to even, as integers are stored
    else if (places > 0) {
        const double f = std::pow(10.0, places);
        v = std::round(value * f) / f;
    }
    // A fixed-point bound is itself rounded: compare with half a unit of the last place to spare.
    const double slack = places > 0 ? std::pow(10.0, -places) / 2 : 0.0;
    return v >= low - slack && v <= high + slack;
}

}  // namespace db
