// The writer: walks a parsed layout, formats each value into its field and
// emits whole records.
#include "layout/render.h"

#include <cassert>
#include <cmath>
#include <cstdlib>
#include <string>

#include "layout/decimal_digits.h"

namespace layout {
namespace {

void put_asterisks(std::string& line, int width) {
  line.append(static_cast<std::size_t>(width), '*');
}

// `text` right-justified in `width` columns, or asterisks when it does not fit.
void put_right(std::string& line, std::string_view text, int width) {
  const auto w = static_cast<std::size_t>(width);
  if (text.size() > w) return put_asterisks(line, width);
  line.append(w - text.size(), ' ');
  line.append(text);
}

void put_integer(std::string& line, std::int32_t value, int width) {
  // Widened so that the most negative value has a magnitude.
  const long long v = value;
  unsigned long long magnitude = static_cast<unsigned long long>(v < 0 ? -v : v);
  char text[16];
  std::size_t start = sizeof text;
  do {
    text[--start] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (v < 0) text[--start] = '-';
  put_right(line, std::string_view(text + start, sizeof text - start), width);
}

void put_text(std::string& line, std::string_view value, int width) {
  const auto w = static_cast<std::size_t>(width);
  if (w > value.size()) line.append(w - value.size(), ' ');
  line.append(value.substr(0, w));
}

// Multiplies by 10 (or divides, for a negative factor) once per unit of the
// scale factor, keeping every product in single precision as the stored value
// would be.
float apply_scale(float value, int scale) {
  for (int i = 0; i < scale; ++i) value = value * 10.0f;
  for (int i = 0; i > scale; --i) value = value / 10.0f;
  return value;
}

}  // namespace

void write_record(RecordWriter& out, const Layout& layout, std::span<const Value> values) {
  std::string line;
  line.reserve(160);
  std::size_t column = 0;  // 0-based column of the next character
  std::size_t next_value = 0;
  int scale = 0;
  // Moves to `column`, blank-filling what an X skipped over.
  const auto place = [&]() { line.resize(column, ' '); };
  const auto end_record = [&]() {
    out.put(line);
    line.clear();
    column = 0;
  };

  std::size_t i = 0;
  std::size_t values_at_pass_start = 0;
  for (;;) {
    if (i == layout.items.size()) {
      if (next_value == values.size()) break;
      // Values left: go on from the reversion point on a new record. A layout
      // whose reused part takes no value would never end.
      const bool consumed = next_value != values_at_pass_start;
      assert(consumed && "values left over for a layout that takes none");
      if (!consumed) break;
      values_at_pass_start = next_value;
      end_record();
      i = layout.reversion;
      continue;
    }
    const Item& item = layout.items[i++];
    switch (item.kind) {
      case ItemKind::kLiteral:
        place();
        line += item.text;
        column = line.size();
        break;
      case ItemKind::kSkip:
        column += static_cast<std::size_t>(item.width);
        break;
      case ItemKind::kNewRecord:
        end_record();
        break;
      case ItemKind::kScale:
        scale = item.width;
        break;
      case ItemKind::kInteger:
      case ItemKind::kFixed:
      case ItemKind::kText: {
        if (next_value == values.size()) {
          out.put(line);
          return;
        }
        const Value& value = values[next_value++];
        place();
        if (item.kind == ItemKind::kInteger) {
          assert(value.kind == Value::Kind::kInteger);
          put_integer(line, value.integer, item.width);
        } else if (item.kind == ItemKind::kFixed) {
          assert(value.kind == Value::Kind::kReal);
          append_fixed(line, apply_scale(value.real, scale), item.width, item.decimals);
        } else {
          assert(value.kind == Value::Kind::kText);
          put_text(line, value.text, item.width);
        }
        column = line.size();
        break;
      }
    }
  }
  out.put(line);
}

void append_fixed(std::string& line, float value, int width, int decimals) {
  if (std::isnan(value)) return put_right(line, "NaN", width);
  if (std::isinf(value)) return put_right(line, value < 0 ? "-Infinity" : "Infinity", width);

  DecimalDigits x = exact_digits(value);
  round_digits(x, x.point + decimals);
  const bool negative = value < 0 && !x.is_zero();
  const int integer_digits = x.is_zero() || x.point < 0 ? 0 : x.point;
  int needed = (negative ? 1 : 0) + integer_digits + 1 + decimals;
  if (needed > width) return put_asterisks(line, width);
  const bool leading_zero = integer_digits == 0 && needed < width;
  if (leading_zero) ++needed;

  line.append(static_cast<std::size_t>(width - needed), ' ');
  if (negative) line += '-';
  if (leading_zero) line += '0';
  for (int i = 0; i < integer_digits; ++i) line += x.at(i);
  line += '.';
  for (int j = 0; j < decimals; ++j) line += x.at(x.point + j);
}

std::string format_integer(std::int32_t value, int width) {
  std::string field;
  put_integer(field, value, width);
  return field;
}

std::string format_fixed(float value, int width, int decimals) {
  std::string field;
  append_fixed(field, value, width, decimals);
  return field;
}

}  // namespace layout
