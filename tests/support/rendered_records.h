// The records a write makes, captured as strings, for tests and the golden
// layout cases: the program's writers go through a RecordWriter, whose
// records are taken back apart here.
#pragma once

#include <initializer_list>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "layout/free_form_output.h"
#include "layout/layout.h"
#include "layout/record_writer.h"
#include "layout/render.h"
#include "layout/value.h"

namespace testing_support {

// A record end that no record holds: the records come back exactly, line
// feeds and carriage returns inside a text value included.
inline constexpr std::string_view kRecordEnd = "\x1e";

inline std::vector<std::string> split_records(const std::string& text) {
  std::vector<std::string> records;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(kRecordEnd, start)) != std::string::npos;) {
    records.push_back(text.substr(start, end - start));
    start = end + kRecordEnd.size();
  }
  return records;
}

inline std::vector<std::string> render_records(const layout::Layout& layout,
                                               std::span<const layout::Value> values) {
  std::ostringstream out;
  layout::RecordWriter writer(out, kRecordEnd, 6, "records");
  layout::write_record(writer, layout, values);
  return split_records(out.str());
}

inline std::vector<std::string> render_records(const layout::Layout& layout,
                                               std::initializer_list<layout::Value> values) {
  return render_records(layout, std::span<const layout::Value>(values.begin(), values.size()));
}

inline std::vector<std::string> render_free_form(std::span<const layout::Value> values) {
  std::ostringstream out;
  layout::RecordWriter writer(out, kRecordEnd, 4, "records");
  layout::write_free_form(writer, values);
  return split_records(out.str());
}

inline std::vector<std::string> render_free_form(std::initializer_list<layout::Value> values) {
  return render_free_form(std::span<const layout::Value>(values.begin(), values.size()));
}

}  // namespace testing_support
