// AGS4 text to groups of records. The reader is strict: a file that a
// laboratory's own checker would reject stops here with the line, so that no
// value is taken from a record whose fields may have slipped.
#include "ags4/ags4_file.h"

#include <algorithm>
#include <map>
#include <utility>

namespace ags4 {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// What the group being read takes next; a blank line closes a group only
// once its TYPE record is read.
enum class Next { kGroup, kHeading, kUnit, kType, kData };

std::string_view descriptor_of(Next next) {
  switch (next) {
    case Next::kGroup:
      return "GROUP";
    case Next::kHeading:
      return "HEADING";
    case Next::kUnit:
      return "UNIT";
    case Next::kType:
      return "TYPE";
    case Next::kData:
      return "DATA";
  }
  return "";
}

bool is_descriptor(std::string_view text) {
  return text == "GROUP" || text == "HEADING" || text == "UNIT" || text == "TYPE" || text == "DATA";
}

bool is_blank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

Error error_at(ErrorKind kind, int line) {
  Error error;
  error.kind = kind;
  error.line = line;
  return error;
}

// Splits one line into its fields:  "a","b ""c""",""  ->  a | b "c" | (empty).
// Every field opens and closes with a quote, and only a comma stands between
// two fields; anything else is a fault at its column.
std::optional<Error> split_record(std::string_view line, int number,
                                  std::vector<std::string>& fields) {
  fields.clear();
  std::size_t i = 0;
  while (true) {
    if (i >= line.size() || line[i] != '"') {
      Error error = error_at(ErrorKind::kTextOutsideQuotes, number);
      error.column = i + 1;
      if (i < line.size()) error.text = std::string(1, line[i]);
      return error;
    }
    const std::size_t open = i++;
    std::string field;
    while (true) {
      if (i >= line.size()) {
        Error error = error_at(ErrorKind::kUnterminatedQuote, number);
        error.column = open + 1;
        return error;
      }
      if (line[i] == '"') {
        if (i + 1 < line.size() && line[i + 1] == '"') {
          field += '"';
          i += 2;
          continue;
        }
        ++i;
        break;
      }
      field += line[i++];
    }
    fields.push_back(std::move(field));
    if (i == line.size()) return std::nullopt;
    if (line[i] != ',') {
      Error error = error_at(ErrorKind::kTextOutsideQuotes, number);
      error.column = i + 1;
      error.text = std::string(1, line[i]);
      return error;
    }
    ++i;
  }
}

// The first record decides whether this is an AGS4 file at all: it must be a
// well-formed GROUP record. A line that does not even begin like one (an AGS3
// "**PROJ", a spreadsheet's CSV, a project file) is not AGS4; one that does
// but is broken gets the fault of its record.
std::optional<Error> check_first_record(std::string_view line, int number,
                                        const std::optional<Error>& split_fault,
                                        const std::vector<std::string>& fields) {
  if (split_fault) {
    if (line.starts_with("\"GROUP\",")) return split_fault;
    Error error = error_at(ErrorKind::kNotAgs4, number);
    error.text = std::string(line.substr(0, 16));
    return error;
  }
  if (fields[0] == "GROUP") return std::nullopt;
  Error error = error_at(ErrorKind::kNotAgs4, number);
  error.text = fields[0];
  return error;
}

Error out_of_order(int number, const std::string& found, Next next, const Group* group) {
  Error error = error_at(ErrorKind::kRecordOutOfOrder, number);
  error.text = found;
  error.expected = descriptor_of(next);
  if (group) error.group = group->name;
  return error;
}

Error incomplete(const Group& group, Next next) {
  Error error = error_at(ErrorKind::kGroupIncomplete, group.line);
  error.group = group.name;
  error.expected = descriptor_of(next);
  return error;
}

std::optional<Error> check_headings(const Group& group, const std::vector<std::string>& headings,
                                    int number) {
  if (headings.empty()) {
    Error error = error_at(ErrorKind::kHeadingEmpty, number);
    error.group = group.name;
    return error;  // found_count 0: no heading at all
  }
  for (std::size_t i = 0; i < headings.size(); ++i) {
    if (headings[i].empty()) {
      Error error = error_at(ErrorKind::kHeadingEmpty, number);
      error.group = group.name;
      error.found_count = i + 1;
      return error;
    }
    if (std::find(headings.begin(), headings.begin() + static_cast<std::ptrdiff_t>(i),
                  headings[i]) != headings.begin() + static_cast<std::ptrdiff_t>(i)) {
      Error error = error_at(ErrorKind::kHeadingRepeated, number);
      error.group = group.name;
      error.heading = headings[i];
      return error;
    }
  }
  return std::nullopt;
}

std::optional<Error> check_count(const Group& group, const std::string& descriptor,
                                 std::size_t found, int number) {
  if (found == group.headings.size()) return std::nullopt;
  Error error = error_at(ErrorKind::kFieldCountMismatch, number);
  error.group = group.name;
  error.text = descriptor;
  error.expected_count = group.headings.size();
  error.found_count = found;
  return error;
}

// Reads the records of one line into `file`; `next` and `open` (whether the
// last group of `file` is still being read) carry the reading from line to
// line.
std::optional<Error> take_record(std::vector<std::string>& fields, int number, File& file,
                                 Next& next, bool& open, std::map<std::string, int>& first_lines) {
  const std::string descriptor = fields[0];
  if (!is_descriptor(descriptor)) {
    Error error = error_at(ErrorKind::kUnknownDescriptor, number);
    error.text = descriptor;
    return error;
  }
  Group* group = open ? &file.groups.back() : nullptr;
  if (descriptor != descriptor_of(next)) return out_of_order(number, descriptor, next, group);
  std::vector<std::string> values(std::make_move_iterator(fields.begin() + 1),
                                  std::make_move_iterator(fields.end()));
  switch (next) {
    case Next::kGroup: {
      if (values.size() != 1 || values[0].empty()) {
        return error_at(ErrorKind::kGroupRecordInvalid, number);
      }
      const auto [seen, first] = first_lines.try_emplace(values[0], number);
      if (!first) {
        Error error = error_at(ErrorKind::kGroupRepeated, number);
        error.group = values[0];
        error.other_line = seen->second;
        return error;
      }
      Group added;
      added.name = std::move(values[0]);
      added.line = number;
      file.groups.push_back(std::move(added));
      open = true;
      next = Next::kHeading;
      return std::nullopt;
    }
    case Next::kHeading:
      if (auto fault = check_headings(*group, values, number)) return fault;
      group->headings = std::move(values);
      group->heading_line = number;
      next = Next::kUnit;
      return std::nullopt;
    case Next::kUnit:
      if (auto fault = check_count(*group, descriptor, values.size(), number)) return fault;
      group->units = std::move(values);
      group->unit_line = number;
      next = Next::kType;
      return std::nullopt;
    case Next::kType:
      if (auto fault = check_count(*group, descriptor, values.size(), number)) return fault;
      group->types = std::move(values);
      group->type_line = number;
      next = Next::kData;
      return std::nullopt;
    case Next::kData:
      if (auto fault = check_count(*group, descriptor, values.size(), number)) return fault;
      group->rows.push_back(DataRow{number, std::move(values)});
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

FileReading read_file(std::istream& in) {
  FileReading reading;
  Next next = Next::kGroup;
  bool open = false;  // the last group read takes more records
  std::map<std::string, int> first_lines;
  bool first_record = true;
  std::vector<std::string> fields;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) {
    ++number;
    std::string_view line = text;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (number == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    if (is_blank(line)) {
      if (open && next != Next::kData) {
        reading.error = incomplete(reading.file.groups.back(), next);
        return reading;
      }
      open = false;
      next = Next::kGroup;
      continue;
    }
    std::optional<Error> fault = split_record(line, number, fields);
    if (first_record) {
      first_record = false;
      if (auto not_ags4 = check_first_record(line, number, fault, fields)) {
        reading.error = std::move(not_ags4);
        return reading;
      }
    }
    if (!fault) fault = take_record(fields, number, reading.file, next, open, first_lines);
    if (fault) {
      reading.error = std::move(fault);
      return reading;
    }
  }
  if (first_record) {
    reading.error = error_at(ErrorKind::kNotAgs4, 0);  // nothing but blank lines
  } else if (open && next != Next::kData) {
    reading.error = incomplete(reading.file.groups.back(), next);
  }
  return reading;
}

const Group* find_group(const File& file, std::string_view name) {
  for (const Group& group : file.groups) {
    if (group.name == name) return &group;
  }
  return nullptr;
}

std::optional<std::size_t> heading_position(const Group& group, std::string_view heading) {
  const auto found = std::find(group.headings.begin(), group.headings.end(), heading);
  if (found == group.headings.end()) return std::nullopt;
  return static_cast<std::size_t>(found - group.headings.begin());
}

}  // namespace ags4
