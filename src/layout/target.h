// One target of a read: an integer, a single-precision real or a fixed-length
// text that the read fills (or, for free-form nulls, leaves as it is).
#pragma once

#include <cstdint>
#include <span>

namespace layout {

struct Target {
  enum class Kind { kInteger, kReal, kText };
  Kind kind;
  std::int32_t* integer = nullptr;
  float* real = nullptr;
  std::span<char> text;  // its length is the target's length

  static Target of(std::int32_t& v) { return {Kind::kInteger, &v, nullptr, {}}; }
  static Target of(float& v) { return {Kind::kReal, nullptr, &v, {}}; }
  static Target of(std::span<char> v) { return {Kind::kText, nullptr, nullptr, v}; }
};

}  // namespace layout
