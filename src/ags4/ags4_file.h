// An AGS4 file as its groups of text records: each group's headings, units
// and types, and its data rows with the lines they stand on.
#pragma once

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ags4/import_issue.h"

namespace ags4 {

// One DATA record: a value per heading of its group, as text without quotes.
struct DataRow {
  int line = 0;  // of the file, from 1
  std::vector<std::string> values;
};

// One group: "GROUP", "HEADING", "UNIT", "TYPE", then its "DATA" rows.
struct Group {
  std::string name;
  int line = 0;  // of the GROUP record
  int heading_line = 0;
  int unit_line = 0;
  int type_line = 0;
  std::vector<std::string> headings;
  std::vector<std::string> units;  // one per heading, empty where none
  std::vector<std::string> types;  // one per heading: ID, PA, X, 2DP, 3SF, U...
  std::vector<DataRow> rows;
};

struct File {
  std::vector<Group> groups;  // in the order of the file
};

// The file as far as it was read; with an error, the groups read before it.
struct FileReading {
  File file;
  std::optional<Error> error;
};

// Reads AGS4 text: records of double-quoted fields separated by commas (a
// quote inside a field written twice), lines ended by CR LF or LF, groups
// separated by blank lines (empty, or spaces and tabs only); a UTF-8 byte
// order mark before the first record is skipped. Stops at the first malformed
// record, misplaced record or repeated group.
FileReading read_file(std::istream& in);

// The group of that name, or nullptr.
const Group* find_group(const File& file, std::string_view name);

// The position of `heading` among the group's headings, if there.
std::optional<std::size_t> heading_position(const Group& group, std::string_view heading);

}  // namespace ags4
