// How a record of the site model names its fields: one list per record,
// visited by the value-tree mapping (reading and writing the project file and
// Python's dicts) so that no field is mapped by hand twice.
//
// A record's list is a function template `visit_fields(visitor, record)`
// found by argument-dependent lookup, calling for each field in the order the
// file shows them:
//   v.field("key", r.member);             required
//   v.field("key", r.member, fallback);   optional, `fallback` when absent
//   v.field("key", r.optional_member);    optional (std::optional)
//   v.choice("key", r.member, kNames, fallback);  an enum, by its names
// The record may be const (writing) or not (reading).
#pragma once

#include <array>
#include <concepts>
#include <string_view>
#include <type_traits>
#include <utility>

namespace site {

// `Record` is a `Type`, const or not: the visitor functions take both.
template <typename Record, typename Type>
concept RecordOf = std::same_as<std::remove_const_t<Record>, Type>;

// The names an enum takes in the file, each value once.
template <typename Enum, std::size_t N>
using EnumNames = std::array<std::pair<Enum, std::string_view>, N>;

template <typename Enum, std::size_t N>
constexpr std::string_view name_of(const EnumNames<Enum, N>& names, Enum value) {
  for (const auto& [candidate, name] : names)
    if (candidate == value) return name;
  return {};
}

}  // namespace site
