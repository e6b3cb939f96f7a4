// One value handed to a write: a 32-bit integer, a single-precision real or a
// fixed-length text.
#pragma once

#include <cstdint>
#include <string_view>

namespace layout {

struct Value {
  enum class Kind { kInteger, kReal, kText };
  Kind kind;
  std::int32_t integer = 0;
  float real = 0.0f;
  std::string_view text;  // the caller keeps the characters alive for the write

  static Value of(std::int32_t v) { return {Kind::kInteger, v, 0.0f, {}}; }
  static Value of(float v) { return {Kind::kReal, 0, v, {}}; }
  static Value of(std::string_view v) { return {Kind::kText, 0, 0.0f, v}; }
};

}  // namespace layout
