// Every record layout of the program, from the lists of the folders that
// write and read through them: the problem file, the report with its two
// companion files, and the console.
#pragma once

#include <array>
#include <string_view>

#include "problem/input_layouts.h"
#include "report/report_layouts.h"
#include "run/console_layouts.h"

namespace run {

inline constexpr auto kProgramLayouts = [] {
  std::array<std::string_view,
             problem::kInputLayouts.size() + report::kReportLayouts.size() + kConsoleLayouts.size()>
      all{};
  std::size_t n = 0;
  for (const std::string_view layout : problem::kInputLayouts) all[n++] = layout;
  for (const std::string_view layout : report::kReportLayouts) all[n++] = layout;
  for (const std::string_view layout : kConsoleLayouts) all[n++] = layout;
  return all;
}();

}  // namespace run
