// Tables of aligned columns, written line by line.
#include "report/text_table.h"

#include <algorithm>
#include <cassert>

namespace report {
namespace {

constexpr std::string_view kIndent = "      ";  // the archived report's table indent
constexpr std::size_t kGap = 3;                 // blanks between columns
constexpr std::size_t kLabelWidth = 44;

void append_cell(std::string& line, std::string_view text, std::size_t width, Align align) {
  const std::size_t pad = width > text.size() ? width - text.size() : 0;
  if (align == Align::kRight) line.append(pad, ' ');
  line.append(text);
  if (align == Align::kLeft) line.append(pad, ' ');
}

void put_trimmed(layout::RecordWriter& out, std::string line) {
  line.erase(line.find_last_not_of(' ') + 1);
  out.put(line);
}

}  // namespace

std::string upper_text(std::string_view text) {
  std::string shown(text);
  for (char& c : shown)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return shown;
}

void TableTitles::write(layout::RecordWriter& out, std::string_view title) {
  out.put("");
  out.put("");
  out.put(std::string(kIndent) + "TABLE " + std::to_string(next_++) + " - " + std::string(title));
  out.put("");
}

void put_entry(layout::RecordWriter& out, std::string_view label, std::string_view value) {
  std::string line = std::string(kIndent) + "     " + std::string(label);
  line.append(line.size() < kIndent.size() + 5 + kLabelWidth
                  ? kIndent.size() + 5 + kLabelWidth - line.size()
                  : 1,
              ' ');
  line += "=  ";
  line += value;
  put_trimmed(out, std::move(line));
}

void put_note(layout::RecordWriter& out, std::string_view text) {
  put_trimmed(out, std::string(kIndent) + std::string(text));
}

void TextTable::add_row(std::vector<std::string> cells) {
  assert(cells.size() == columns_.size());
  rows_.push_back(std::move(cells));
}

void TextTable::write(layout::RecordWriter& out) const {
  std::size_t heading_lines = 0;
  std::vector<std::size_t> widths(columns_.size(), 0);
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    heading_lines = std::max(heading_lines, columns_[c].heading.size());
    for (const std::string& line : columns_[c].heading)
      widths[c] = std::max(widths[c], line.size());
    for (const auto& row : rows_) widths[c] = std::max(widths[c], row[c].size());
  }
  const auto put_line = [&](const auto& text_of) {
    std::string line(kIndent);
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      if (c > 0) line.append(kGap, ' ');
      append_cell(line, text_of(c), widths[c], columns_[c].align);
    }
    put_trimmed(out, std::move(line));
  };
  for (std::size_t h = 0; h < heading_lines; ++h) {
    put_line([&](std::size_t c) -> std::string_view {
      const std::vector<std::string>& heading = columns_[c].heading;
      const std::size_t blank_above = heading_lines - heading.size();
      return h < blank_above ? std::string_view() : std::string_view(heading[h - blank_above]);
    });
  }
  out.put("");
  for (const auto& row : rows_) put_line([&](std::size_t c) -> std::string_view { return row[c]; });
}

}  // namespace report
