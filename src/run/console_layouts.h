// The record layouts of the run's own console messages and of names.dat.
#pragma once

#include <array>
#include <string_view>

namespace run {

inline constexpr std::string_view kNameLayout = "(A255)";
inline constexpr std::string_view kDataErrorsLayout = "('DATA ERRORS')";
inline constexpr std::string_view kExecutionLayout = "(10X,'EXECUTION IN PROGRESS',/)";

inline constexpr std::array kConsoleLayouts = {kNameLayout, kDataErrorsLayout, kExecutionLayout};

}  // namespace run
