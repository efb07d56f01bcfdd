#pragma once
// The values a numeric column can take, as the data layer checks them when a value is stored:
// whole numbers of the integer types, fixed-point numbers of a precision and scale (rounded to
// the scale first), currency (rounded to 4 places), and any finite Double. A box can tell the
// user the range before a save is refused.
#include "platform/db/Types.h"

#include <optional>

namespace db {

struct NumericRange {
    double low = 0, high = 0;   // the extreme values the column holds
    int places = -1;            // decimal places the column keeps; -1: as typed (Double)

    // Whether the value, rounded as the column rounds it, lies within the range.
    bool contains(double value) const;
};

// Nothing for a type that is not numeric.
std::optional<NumericRange> numericRangeOf(AdoType type, int precision = 0, int scale = 0);

}  // namespace db
