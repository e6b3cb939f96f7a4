// Decimal text to single precision through std::from_chars, which rounds the
// exact decimal once (never through double), and back through std::to_chars.
#include "layout/decimal_text.h"

#include <cassert>
#include <charconv>
#include <system_error>

namespace layout {

bool nearest_float(bool negative, std::string& digits, std::int64_t exponent, float& out) {
  const float zero = negative ? -0.0f : 0.0f;
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    out = zero;
    return true;
  }
  while (digits.back() == '0') {
    digits.pop_back();
    ++exponent;
  }
  // The power of ten of the first significant digit settles the far cases
  // before the text is built: 1e39 exceeds the largest single (3.4e38), and
  // below 1e-46 lies under half the smallest subnormal (7.0e-46).
  const auto significant = static_cast<std::int64_t>(digits.size() - first);
  const std::int64_t lead = exponent + significant - 1;
  if (lead > 38) return false;
  if (lead < -46) {
    out = zero;
    return true;
  }

  char exponent_text[24] = {'e'};
  const auto written =
      std::to_chars(exponent_text + 1, exponent_text + sizeof exponent_text, exponent);
  digits.append(exponent_text, written.ptr);

  float magnitude = 0.0f;
  const auto result =
      std::from_chars(digits.data() + first, digits.data() + digits.size(), magnitude);
  if (result.ec == std::errc::result_out_of_range) {
    if (lead >= 0) return false;
    out = zero;
    return true;
  }
  assert(result.ec == std::errc() && result.ptr == digits.data() + digits.size());
  out = negative ? -magnitude : magnitude;
  return true;
}

std::string shortest_text(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace layout
