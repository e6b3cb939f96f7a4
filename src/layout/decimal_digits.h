// The exact decimal expansion of a single-precision real and its rounding with
// ties away from zero: the digits behind every printed real.
#pragma once

#include <array>

namespace layout {

// |value| = 0.d1 d2 ... dn x 10^point, with d1 != 0 and no trailing zeros;
// n == 0 for zero. A float has at most 112 significant decimal digits.
struct DecimalDigits {
  std::array<char, 128> digits{};
  int count = 0;
  int point = 0;

  bool is_zero() const { return count == 0; }
  // The digit at significant position i (0-based); '0' past the last digit.
  char at(int i) const { return i >= 0 && i < count ? digits[static_cast<unsigned>(i)] : '0'; }
};

// The exact expansion of |value|. REQUIRES: value is finite.
DecimalDigits exact_digits(float value);

// Keeps the first `keep` significant digits (none when keep <= 0), rounding
// the magnitude up when the first dropped digit is 5 or more: on an exact
// expansion that is rounding half away from zero.
void round_digits(DecimalDigits& x, int keep);

}  // namespace layout
