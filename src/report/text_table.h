// The project report's tables: numbered titles, "LABEL = value" entries, and
// tables of columns whose headings carry their units, each column as wide as
// its widest heading line or cell.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "layout/record_writer.h"

namespace report {

// `text` with its ASCII letters in upper case, as the headings have them.
std::string upper_text(std::string_view text);

// Numbers the report's tables in the order they are written.
class TableTitles {
 public:
  // Two blank lines, "TABLE n - TITLE" and a blank line.
  void write(layout::RecordWriter& out, std::string_view title);

 private:
  int next_ = 1;
};

// "           LABEL                         =  value", the labels aligned.
void put_entry(layout::RecordWriter& out, std::string_view label, std::string_view value);

// A line of text at the tables' indent.
void put_note(layout::RecordWriter& out, std::string_view text);

enum class Align { kLeft, kRight };

struct Column {
  std::vector<std::string> heading;  // lines top down; the unit last where it has one
  Align align = Align::kRight;
};

class TextTable {
 public:
  explicit TextTable(std::vector<Column> columns) : columns_(std::move(columns)) {}

  // REQUIRES: one cell per column; an empty cell leaves the column blank.
  void add_row(std::vector<std::string> cells);
  std::size_t rows() const { return rows_.size(); }

  // The headings (bottom aligned), a blank line, and the rows; trailing
  // blanks dropped.
  void write(layout::RecordWriter& out) const;

 private:
  std::vector<Column> columns_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace report
