// Records written to a string stream, for tests that compare whole lines.
#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/record_writer.h"

namespace testing_support {

// A report writer and an auxiliary-file writer sharing one stream, so that a
// test also sees where the auxiliary records fall between the report lines.
struct RecordSink {
  std::ostringstream stream;
  layout::RecordWriter writer{stream, "\n", 6, "report.out"};
  layout::RecordWriter aux{stream, "\n", 4, "aux.out"};

  std::vector<std::string> lines() const {
    std::vector<std::string> result;
    std::istringstream in(stream.str());
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
  }
};

// An expected line built column by column (columns from 1): a piece given
// with a negative column ends at that column (a right-justified field).
inline std::string at(std::initializer_list<std::pair<int, std::string_view>> pieces) {
  std::string line;
  for (const auto& [column, text] : pieces) {
    const auto start = column > 0 ? static_cast<std::size_t>(column - 1)
                                   : static_cast<std::size_t>(-column) - text.size();
    if (line.size() < start + text.size()) line.resize(start + text.size(), ' ');
    line.replace(start, text.size(), text);
  }
  return line;
}

}  // namespace testing_support
