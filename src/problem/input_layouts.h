// The record layouts of the problem file's fixed records, which the reader
// reads through and the echo writes through.
#pragma once

#include <array>
#include <string_view>

namespace problem {

inline constexpr std::string_view kTitleLayout = "(17A4,/,17A4)";
inline constexpr std::string_view kSourceTextLayout = "(30A2)";
inline constexpr std::string_view kAreaIdLayout = "(A4)";

inline constexpr std::array kInputLayouts = {kTitleLayout, kSourceTextLayout, kAreaIdLayout};

}  // namespace problem
