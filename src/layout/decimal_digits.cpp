// Exact decimal digits of a float: widened to double it is exact, and printed
// with as many decimals as its last bit needs the text is exact too.
#include "layout/decimal_digits.h"

#include <cassert>
#include <cmath>
#include <cstdio>

namespace layout {

DecimalDigits exact_digits(float value) {
  assert(std::isfinite(value));
  DecimalDigits x;
  const double magnitude = std::fabs(static_cast<double>(value));
  if (magnitude == 0.0) return x;

  // The last bit of a float of binary exponent e weighs 2^(e-24), and 2^-k
  // has exactly k decimals; subnormals bottom out at 2^-149.
  int exponent = 0;
  std::frexp(magnitude, &exponent);
  int decimals = 24 - exponent;
  if (decimals < 0) decimals = 0;
  if (decimals > 149) decimals = 149;

  // At most 39 integer digits, the point and 149 decimals.
  char text[200];
  const int length = std::snprintf(text, sizeof text, "%.*f", decimals, magnitude);
  assert(length > 0 && length < static_cast<int>(sizeof text));

  // "ddd.ddd" for a magnitude of 1 or more, else "0.000ddd".
  int dot = 0;
  while (dot < length && text[dot] != '.') ++dot;
  int first = 0;
  while (first < length && (text[first] == '0' || text[first] == '.')) ++first;
  x.point = first < dot ? dot : -(first - dot - 1);
  for (int i = first; i < length; ++i) {
    if (text[i] == '.') continue;
    assert(x.count < static_cast<int>(x.digits.size()));
    x.digits[static_cast<unsigned>(x.count++)] = text[i];
  }
  while (x.count > 0 && x.digits[static_cast<unsigned>(x.count - 1)] == '0') --x.count;
  return x;
}

void round_digits(DecimalDigits& x, int keep) {
  if (keep >= x.count) return;
  if (keep < 0) {
    x.count = 0;
    return;
  }
  const bool up = x.digits[static_cast<unsigned>(keep)] >= '5';
  x.count = keep;
  if (up) {
    int i = keep - 1;
    while (i >= 0 && x.digits[static_cast<unsigned>(i)] == '9') --i;
    if (i < 0) {
      // All kept digits were nines (or none were kept): the carry adds a digit.
      x.digits[0] = '1';
      x.count = 1;
      ++x.point;
      return;
    }
    ++x.digits[static_cast<unsigned>(i)];
    x.count = i + 1;
  }
  while (x.count > 0 && x.digits[static_cast<unsigned>(x.count - 1)] == '0') --x.count;
}

}  // namespace layout
