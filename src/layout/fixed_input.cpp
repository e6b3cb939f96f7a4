// Fixed-layout input: the items of a record layout read column by column.
#include "layout/fixed_input.h"

#include <algorithm>
#include <cassert>
#include <cstdint>
#include <limits>
#include <string>

#include "layout/decimal_text.h"

namespace layout {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }
bool is_exponent_letter(char c) { return c == 'E' || c == 'D' || c == 'e' || c == 'd'; }

// The read position of one read: the current line and a column counted from 0.
// Columns past the end of the line read as blanks.
struct Cursor {
  RecordReader* in;
  const std::string* line;
  std::size_t column = 0;

  char at(std::size_t c) const { return c < line->size() ? (*line)[c] : ' '; }
  void next_line() {
    line = &in->require_line();
    column = 0;
  }
};

// The columns of a numeric field of width `width` at the cursor: a comma
// inside them ends the field there, and the next item starts after the comma.
struct Span {
  std::size_t begin;
  std::size_t end;
};

Span numeric_field(Cursor& at, int width) {
  const std::size_t begin = at.column;
  const std::size_t limit = begin + static_cast<std::size_t>(width);
  for (std::size_t c = begin; c < limit && c < at.line->size(); ++c) {
    if ((*at.line)[c] == ',') {
      at.column = c + 1;
      return {begin, c};
    }
  }
  at.column = limit;
  return {begin, limit};
}

// Iw: an optional sign and digits; blanks anywhere are ignored and a blank
// field is 0.
std::int32_t read_integer(Cursor& at, int width) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  const Span field = numeric_field(at, width);
  std::int64_t value = 0;
  bool negative = false;
  bool signed_field = false;
  bool any_digit = false;
  for (std::size_t c = field.begin; c < field.end; ++c) {
    const char ch = at.at(c);
    if (ch == ' ') continue;
    if (is_sign(ch) && !signed_field && !any_digit) {
      signed_field = true;
      negative = ch == '-';
    } else if (is_digit(ch)) {
      any_digit = true;
      value = value * 10 + (ch - '0');
      if (value > kMax + 1) at.in->fail(FatalKind::kConversion);
    } else {
      at.in->fail(FatalKind::kConversion);
    }
  }
  if (signed_field && !any_digit) at.in->fail(FatalKind::kConversion);
  if (negative) value = -value;
  if (value > kMax) at.in->fail(FatalKind::kConversion);
  return static_cast<std::int32_t>(value);
}

// Fw.d: [sign] digits [. digits] [letter [sign] digits], blanks ignored. The
// digits are gathered without the point into `digits`, and the power of ten
// that places them is worked out from the point, d, the scale factor and the
// exponent, so that the text is rounded to single precision exactly once.
float read_real(Cursor& at, int width, int decimals, int scale, std::string& digits) {
  const Span field = numeric_field(at, width);
  digits.clear();
  bool negative = false;
  bool seen_any = false;  // a sign, digit or point of the number before its exponent
  bool has_point = false;
  bool has_exponent = false;
  bool negative_exponent = false;
  bool exponent_started = false;  // a sign or digit after the exponent letter
  bool exponent_digit = false;
  std::int64_t fraction_digits = 0;
  std::int64_t exponent = 0;
  for (std::size_t c = field.begin; c < field.end; ++c) {
    const char ch = at.at(c);
    if (ch == ' ') continue;
    if (has_exponent) {
      if (is_sign(ch) && !exponent_started) {
        negative_exponent = ch == '-';
      } else if (is_digit(ch)) {
        exponent = std::min(exponent * 10 + (ch - '0'), kExponentLimit);
        exponent_digit = true;
      } else {
        at.in->fail(FatalKind::kConversion);
      }
      exponent_started = true;
    } else if (is_sign(ch) && !seen_any) {
      negative = ch == '-';
      seen_any = true;
    } else if (is_digit(ch)) {
      digits.push_back(ch);
      if (has_point) ++fraction_digits;
      seen_any = true;
    } else if (ch == '.' && !has_point) {
      has_point = true;
      seen_any = true;
    } else if (is_exponent_letter(ch) && !digits.empty()) {
      has_exponent = true;
    } else {
      at.in->fail(FatalKind::kConversion);
    }
  }
  if (!seen_any) return 0.0f;  // a blank field
  if (digits.empty() || (has_exponent && !exponent_digit)) at.in->fail(FatalKind::kConversion);

  if (negative_exponent) exponent = -exponent;
  if (has_point) {
    exponent -= fraction_digits;
  } else {
    // Without a point the last d digits are the decimals; a scale factor kP
    // then also divides by 10^k unless an exponent gives the magnitude.
    exponent -= decimals;
    if (!has_exponent) exponent -= scale;
  }
  float value = 0.0f;
  if (!nearest_float(negative, digits, exponent, value)) at.in->fail(FatalKind::kConversion);
  return value;
}

// Aw into a text target of length L: the rightmost L columns of the field, or
// all w columns followed by blanks when the target is longer.
void read_text(Cursor& at, int width, std::span<char> target) {
  const auto w = static_cast<std::size_t>(width);
  const std::size_t length = target.size();
  const std::size_t skipped = w > length ? w - length : 0;
  for (std::size_t k = 0; k < length; ++k) {
    target[k] = skipped + k < w ? at.at(at.column + skipped + k) : ' ';
  }
  at.column += w;
}

}  // namespace

void read_fixed(RecordReader& in, const Layout& layout, std::span<const Target> targets) {
  assert((targets.empty() || layout.has_data_items()) &&
         "a layout without fields cannot take targets");
  Cursor at{&in, &in.require_line()};
  std::string digits;
  int scale = 0;
  std::size_t next = 0;
  std::size_t i = 0;
  while (true) {
    if (i == layout.items.size()) {
      if (next == targets.size()) return;
      // The layout is used up with targets left: a new line, from the
      // reversion point on.
      at.next_line();
      i = layout.reversion;
      continue;
    }
    const Item& item = layout.items[i++];
    switch (item.kind) {
      case ItemKind::kSkip:
        at.column += static_cast<std::size_t>(item.width);
        continue;
      case ItemKind::kLiteral:
        at.column += item.text.size();
        continue;
      case ItemKind::kNewRecord:
        at.next_line();
        continue;
      case ItemKind::kScale:
        scale = item.width;
        continue;
      case ItemKind::kInteger:
      case ItemKind::kFixed:
      case ItemKind::kText:
        break;
    }
    if (next == targets.size()) return;
    const Target& target = targets[next++];
    switch (item.kind) {
      case ItemKind::kInteger:
        assert(target.kind == Target::Kind::kInteger);
        *target.integer = read_integer(at, item.width);
        break;
      case ItemKind::kFixed:
        assert(target.kind == Target::Kind::kReal);
        *target.real = read_real(at, item.width, item.decimals, scale, digits);
        break;
      default:
        assert(target.kind == Target::Kind::kText);
        read_text(at, item.width, target.text);
        break;
    }
    // The read ends with its last target; items after it are not processed.
    if (next == targets.size()) return;
  }
}

}  // namespace layout
