// Records written to a string stream, for tests that compare whole lines.
#pragma once

#include <algorithm>
#include <initializer_list>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "layout/record_writer.h"
#include "problem/problem_data.h"

namespace testing_support {

// The lines of `text`, without their line feeds.
inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Sets a fixed-length text field to `text`, blank-filled and cut to its length.
template <int N>
void set_text(problem::FixedText<N>& field, std::string_view text) {
  field = problem::FixedText<N>();
  text.copy(field.chars.data(), std::min<std::size_t>(text.size(), N));
}

// A report writer and an auxiliary-file writer sharing one stream, so that a
// test also sees where the auxiliary records fall between the report lines.
struct RecordSink {
  std::ostringstream stream;
  layout::RecordWriter writer{stream, "\n", 6, "report.out"};
  layout::RecordWriter aux{stream, "\n", 4, "aux.out"};

  std::vector<std::string> lines() const { return lines_of(stream.str()); }
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
