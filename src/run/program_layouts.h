// Every record layout of the program, from the lists of the folders that
// write and read through them: the problem file, the report with its two
// companion files, and the console.
#pragma once

#include <string_view>
#include <vector>

#include "problem/input_layouts.h"
#include "report/report_layouts.h"
#include "run/console_layouts.h"

namespace run {

inline std::vector<std::string_view> program_layouts() {
  std::vector<std::string_view> all;
  all.insert(all.end(), problem::kInputLayouts.begin(), problem::kInputLayouts.end());
  all.insert(all.end(), report::kReportLayouts.begin(), report::kReportLayouts.end());
  all.insert(all.end(), kConsoleLayouts.begin(), kConsoleLayouts.end());
  return all;
}

}  // namespace run
