// Decimal text to single precision: the one rounding that fixed-layout and
// free-form input share; and back, in the fewest digits.
#pragma once

#include <cstdint>
#include <string>

namespace layout {

// Exponents beyond this magnitude are held at it while a field is read; any
// number so scaled lies far outside the single range either way.
constexpr std::int64_t kExponentLimit = 100000;

// Stores in `out` the single-precision value nearest to (-1 if `negative`)
// `digits` x 10^`exponent`, rounded once from the exact decimal, ties to even.
// A value below the smallest subnormal rounds to a signed zero. Returns false
// when the value lies beyond the finite single range.
// REQUIRES: `digits` holds only the characters 0 to 9 (none: the value zero);
// it is used as scratch and left changed.
bool nearest_float(bool negative, std::string& digits, std::int64_t exponent, float& out);

// `value` in the fewest digits that read back as the same single-precision
// value (std::to_chars: "120", "0.5", "1e+30", "-0"), all of which the
// free-form reader takes.
std::string shortest_text(float value);

}  // namespace layout
