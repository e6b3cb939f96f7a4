// Free-form output: fixed-width fields one after another, wrapped so that no
// line passes column 80.
#include "layout/free_form_output.h"

#include <cassert>
#include <cmath>
#include <string>

#include "layout/decimal_digits.h"
#include "layout/render.h"

namespace layout {
namespace {

constexpr std::size_t kLineLength = 80;
constexpr int kIntegerWidth = 12;
constexpr int kRealWidth = 15;
// Significant digits of the fixed form and of the exponent form's mantissa.
constexpr int kFixedDigits = 7;
constexpr int kExponentDigits = 8;

void put_right(std::string& line, std::string_view text, int width) {
  line.append(static_cast<std::size_t>(width) - text.size(), ' ');
  line.append(text);
}

// d.dddddddE+xx of the magnitude in `x` (rounded here to 8 digits).
void put_exponent_form(std::string& line, DecimalDigits x, bool negative) {
  round_digits(x, kExponentDigits);
  const int exponent = x.is_zero() ? 0 : x.point - 1;
  const int magnitude = exponent < 0 ? -exponent : exponent;
  assert(magnitude < 100);
  char text[16];
  std::size_t n = 0;
  if (negative) text[n++] = '-';
  text[n++] = x.is_zero() ? '0' : x.at(0);
  text[n++] = '.';
  for (int i = 1; i < kExponentDigits; ++i) text[n++] = x.at(i);
  text[n++] = 'E';
  text[n++] = exponent < 0 ? '-' : '+';
  text[n++] = static_cast<char>('0' + magnitude / 10);
  text[n++] = static_cast<char>('0' + magnitude % 10);
  put_right(line, std::string_view(text, n), kRealWidth);
}

void put_real(std::string& line, float value) {
  if (std::isnan(value)) return put_right(line, "NaN", kRealWidth);
  if (std::isinf(value)) return put_right(line, value < 0 ? "-Infinity" : "Infinity", kRealWidth);

  const DecimalDigits x = exact_digits(value);
  if (x.is_zero()) return put_exponent_form(line, x, false);
  // The form is chosen on the magnitude rounded to 7 significant digits:
  // fixed from 0.1 up to below 10,000,000, i.e. 0 to 7 digits before the point.
  DecimalDigits rounded = x;
  round_digits(rounded, kFixedDigits);
  if (rounded.point < 0 || rounded.point > kFixedDigits) {
    return put_exponent_form(line, x, value < 0);
  }
  append_fixed(line, value, 11, kFixedDigits - rounded.point);
  line.append(4, ' ');
}

// The columns a value takes. A text is set off by one blank at the start of a
// line or after a number, and that blank counts toward the line length.
std::size_t field_width(const Value& value, bool after_text) {
  switch (value.kind) {
    case Value::Kind::kInteger:
      return kIntegerWidth;
    case Value::Kind::kReal:
      return kRealWidth;
    case Value::Kind::kText:
      break;
  }
  return value.text.size() + (after_text ? 0 : 1);
}

}  // namespace

void write_free_form(RecordWriter& out, std::span<const Value> values) {
  std::string line;
  line.reserve(kLineLength + 16);
  bool after_text = false;
  for (const Value& value : values) {
    const std::size_t width = field_width(value, after_text);
    if (!line.empty() && line.size() + width > kLineLength) {
      out.put(line);
      line.clear();
    }
    switch (value.kind) {
      case Value::Kind::kInteger:
        line += format_integer(value.integer, kIntegerWidth);
        after_text = false;
        break;
      case Value::Kind::kReal:
        put_real(line, value.real);
        after_text = false;
        break;
      case Value::Kind::kText:
        if (line.empty() || !after_text) line += ' ';
        line += value.text;
        after_text = true;
        break;
    }
  }
  out.put(line);
}

}  // namespace layout
