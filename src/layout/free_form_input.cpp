// Free-form input: numbers anywhere on the line, with separators, repeat
// counts, null values and '/'.
#include "layout/free_form_input.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "layout/decimal_text.h"

namespace layout {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool ends_value(char c) { return is_blank(c) || c == ',' || c == '/'; }
bool is_exponent_letter(char c) { return c == 'E' || c == 'D' || c == 'e' || c == 'd'; }

// A number taken apart: (-1 if negative) whole.fraction x 10^exponent.
struct NumberText {
  bool negative = false;
  std::string_view whole;     // the digits before the point
  std::string_view fraction;  // the digits after it
  bool is_integer = true;     // written without a point and without an exponent
  std::int64_t exponent = 0;
};

std::string_view digits_from(std::string_view text, std::size_t& i) {
  const std::size_t start = i;
  while (i < text.size() && is_digit(text[i])) ++i;
  return text.substr(start, i - start);
}

// Takes `text` apart as [sign] digits [. digits] [letter [sign] digits], with
// at least one digit before the exponent; false when it is not of that form.
bool parse_number(std::string_view text, NumberText& number) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
  number.whole = digits_from(text, i);
  if (i < text.size() && text[i] == '.') {
    number.is_integer = false;
    ++i;
    number.fraction = digits_from(text, i);
  }
  if (number.whole.empty() && number.fraction.empty()) return false;
  if (i == text.size()) return true;
  if (!is_exponent_letter(text[i])) return false;
  number.is_integer = false;
  ++i;
  bool negative_exponent = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative_exponent = text[i++] == '-';
  const std::string_view exponent_digits = digits_from(text, i);
  if (exponent_digits.empty() || i != text.size()) return false;
  for (const char c : exponent_digits) {
    number.exponent = std::min(number.exponent * 10 + (c - '0'), kExponentLimit);
  }
  if (negative_exponent) number.exponent = -number.exponent;
  return true;
}

float real_value(RecordReader& in, const NumberText& number, std::string& scratch) {
  scratch.assign(number.whole);
  scratch.append(number.fraction);
  const auto exponent = number.exponent - static_cast<std::int64_t>(number.fraction.size());
  float value = 0.0f;
  if (!nearest_float(number.negative, scratch, exponent, value)) in.fail(FatalKind::kConversion);
  return value;
}

std::int32_t integer_value(RecordReader& in, const NumberText& number, std::string& scratch) {
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  if (number.is_integer) {
    // Whole digits are taken exactly, not through single precision, so every
    // 32-bit integer reads back as written.
    std::int64_t value = 0;
    for (const char c : number.whole) {
      value = value * 10 + (c - '0');
      if (value > kMax + 1) in.fail(FatalKind::kConversion);
    }
    if (number.negative) value = -value;
    if (value > kMax) in.fail(FatalKind::kConversion);
    return static_cast<std::int32_t>(value);
  }
  // A real written for an integer is kept in single precision first, then
  // truncated toward zero.
  const float truncated = std::trunc(real_value(in, number, scratch));
  if (!(truncated >= -2147483648.0f && truncated < 2147483648.0f)) in.fail(FatalKind::kConversion);
  return static_cast<std::int32_t>(truncated);
}

void store(RecordReader& in, const NumberText& number, const Target& target, std::string& scratch) {
  switch (target.kind) {
    case Target::Kind::kInteger:
      *target.integer = integer_value(in, number, scratch);
      break;
    case Target::Kind::kReal:
      *target.real = real_value(in, number, scratch);
      break;
    case Target::Kind::kText:
      break;  // excluded on entry
  }
}

// The count r of "r*c" or "r*": a positive 32-bit integer without sign.
std::int64_t repeat_count(RecordReader& in, std::string_view text) {
  if (text.empty()) in.fail(FatalKind::kListSyntax);
  std::int64_t count = 0;
  for (const char c : text) {
    if (!is_digit(c)) in.fail(FatalKind::kListSyntax);
    count = count * 10 + (c - '0');
    if (count > std::numeric_limits<std::int32_t>::max()) in.fail(FatalKind::kListSyntax);
  }
  if (count == 0) in.fail(FatalKind::kListSyntax);
  return count;
}

// The values on `line` from `pos` on, up to a '/': the words between blanks
// and commas. The comma that ends the last value read is its separator.
int values_left(const std::string& line, std::size_t pos) {
  int count = 0;
  bool in_value = false;
  for (; pos < line.size() && line[pos] != '/'; ++pos) {
    const bool separator = is_blank(line[pos]) || line[pos] == ',';
    if (!separator && !in_value) ++count;
    in_value = !separator;
  }
  return count;
}

}  // namespace

int read_free_form(RecordReader& in, std::span<const Target> targets) {
  for ([[maybe_unused]] const Target& target : targets) {
    assert(target.kind != Target::Kind::kText && "free-form records hold numbers only");
  }
  const std::string* line = &in.require_line();
  std::size_t pos = 0;
  std::size_t next = 0;
  std::string scratch;
  // A comma met here stands for a null value: true at the start of the read
  // and after a comma, false after a value, whose separator that comma is.
  // Line ends count as blanks, so a comma closing one line and a comma opening
  // the next enclose a null, while a comma after a value on the next line
  // does not.
  bool after_comma = true;
  while (next < targets.size()) {
    if (pos == line->size()) {
      line = &in.require_line();
      pos = 0;
      continue;
    }
    const char c = (*line)[pos];
    if (is_blank(c)) {
      ++pos;
    } else if (c == ',') {
      if (after_comma) ++next;
      after_comma = true;
      ++pos;
    } else if (c == '/') {
      return 0;
    } else {
      std::size_t end = pos;
      while (end < line->size() && !ends_value((*line)[end])) ++end;
      const std::string_view token = std::string_view(*line).substr(pos, end - pos);
      pos = end;
      after_comma = false;

      std::int64_t copies = 1;
      std::string_view value = token;
      if (const std::size_t star = token.find('*'); star != std::string_view::npos) {
        copies = repeat_count(in, token.substr(0, star));
        value = token.substr(star + 1);
      }
      const auto left = static_cast<std::int64_t>(targets.size() - next);
      if (value.empty()) {  // r* : r null values
        next += static_cast<std::size_t>(std::min(copies, left));
        continue;
      }
      NumberText number;
      if (!parse_number(value, number)) in.fail(FatalKind::kListSyntax);
      for (std::int64_t k = std::min(copies, left); k > 0; --k)
        store(in, number, targets[next++], scratch);
    }
  }
  return values_left(*line, pos);
}

}  // namespace layout
