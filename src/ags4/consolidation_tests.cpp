// The specimens of the CONG and CONS groups. A specimen's rows are matched by
// the seven key fields as text, as the file writes them; its increments are
// put in the order of CONS_INCN whatever the order of the rows.
#include "ags4/consolidation_tests.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>
#include <span>
#include <string_view>
#include <utility>

namespace ags4 {
namespace {

constexpr std::array<std::string_view, 7> kKeyHeadings = {
    "LOCA_ID", "SAMP_TOP", "SAMP_REF", "SAMP_TYPE", "SAMP_ID", "SPEC_REF", "SPEC_DPTH"};

// The headings of AGS4 each group has; any other is a user's (or a later
// edition's) and is ignored with a warning.
constexpr std::array<std::string_view, 18> kCongOwnHeadings = {
    "CONG_TYPE", "CONG_COND", "CONG_SDIA", "CONG_HIGT", "CONG_MCI",  "CONG_MCF",
    "CONG_BDEN", "CONG_DDEN", "CONG_PDEN", "CONG_SATR", "CONG_SPRS", "CONG_IVR",
    "CONG_REM",  "CONG_METH", "CONG_LAB",  "CONG_CRED", "TEST_STAT", "FILE_FSET"};
constexpr std::array<std::string_view, 11> kConsOwnHeadings = {
    "CONS_INCN", "CONS_IVR",  "CONS_INCF", "CONS_INCE", "CONS_INMV", "CONS_INSC",
    "CONS_CVRT", "CONS_CVLG", "CONS_TEMP", "CONS_REM",  "FILE_FSET"};

// The units the values are taken in; a file giving others is refused rather
// than read wrong by a factor (MPa taken for kPa, m2/s for m2/yr).
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kUnits = {{
    {"SAMP_TOP", "m"},
    {"SPEC_DPTH", "m"},
    {"CONS_INCF", "kPa"},
    {"CONS_CVRT", "m2/yr"},
    {"CONS_CVLG", "m2/yr"},
}};

bool listed(std::span<const std::string_view> list, std::string_view heading) {
  return std::find(list.begin(), list.end(), heading) != list.end();
}

Error whole_file_error(ErrorKind kind) {
  Error error;
  error.kind = kind;
  return error;
}

Error group_error(ErrorKind kind, int line, const Group& group, std::string_view heading) {
  Error error;
  error.kind = kind;
  error.line = line;
  error.group = group.name;
  error.heading = heading;
  return error;
}

// A number as the file writes it (2DP, 3SF, SCI, U): the whole field, finite.
std::optional<double> parse_number(std::string_view text) {
  double value = 0.0;
  const char* end = text.data() + text.size();
  const auto [ptr, code] = std::from_chars(text.data(), end, value);
  if (text.empty() || code != std::errc() || ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

// The headings a group must have, the warnings for those the reader does not
// know, and the units of those it takes.
std::optional<Error> check_layout(const Group& group, std::span<const std::string_view> required,
                                  std::span<const std::string_view> own,
                                  std::vector<Warning>& warnings) {
  for (const std::string& heading : group.headings) {
    if (listed(kKeyHeadings, heading) || listed(own, heading)) continue;
    Warning warning;
    warning.kind = WarningKind::kUnknownHeading;
    warning.line = group.heading_line;
    warning.group = group.name;
    warning.heading = heading;
    warnings.push_back(std::move(warning));
  }
  for (std::string_view heading : required) {
    if (!heading_position(group, heading)) {
      return group_error(ErrorKind::kHeadingMissing, group.heading_line, group, heading);
    }
  }
  for (const auto& [heading, unit] : kUnits) {
    const auto at = heading_position(group, heading);
    if (!at || group.units[*at] == unit) continue;
    Error error = group_error(ErrorKind::kUnexpectedUnit, group.unit_line, group, heading);
    error.text = group.units[*at];
    error.expected = unit;
    return error;
  }
  return std::nullopt;
}

// The fields of one data row, by heading, with the faults of the values the
// reader takes from it.
class RowFields {
 public:
  RowFields(const Group& group, const DataRow& row) : group_(group), row_(row) {}

  std::string text(std::string_view heading) const {
    const auto at = heading_position(group_, heading);
    return at ? row_.values[*at] : std::string();
  }

  // An empty field gives no value; one that is not a number is an error.
  std::optional<Error> number(std::string_view heading, std::optional<double>& out) const {
    out.reset();
    const std::string field = text(heading);
    if (field.empty()) return std::nullopt;
    out = parse_number(field);
    if (out) return std::nullopt;
    return fault(ErrorKind::kNotANumber, heading, field);
  }

  std::optional<Error> required_number(std::string_view heading, double& out) const {
    std::optional<double> value;
    if (auto error = number(heading, value)) return error;
    if (!value) return fault(ErrorKind::kValueMissing, heading, "");
    out = *value;
    return std::nullopt;
  }

  Error fault(ErrorKind kind, std::string_view heading, std::string field) const {
    Error error = group_error(kind, row_.line, group_, heading);
    error.text = std::move(field);
    return error;
  }

 private:
  const Group& group_;
  const DataRow& row_;
};

// The key of a row: the hole is required, the depths must be numbers where
// given (the curve's name is built from them).
std::optional<Error> read_key(const RowFields& fields, SpecimenKey& key) {
  key = SpecimenKey{fields.text("LOCA_ID"),   fields.text("SAMP_TOP"), fields.text("SAMP_REF"),
                    fields.text("SAMP_TYPE"), fields.text("SAMP_ID"),  fields.text("SPEC_REF"),
                    fields.text("SPEC_DPTH")};
  if (key.loca_id.empty()) return fields.fault(ErrorKind::kValueMissing, "LOCA_ID", "");
  std::optional<double> depth;
  if (auto error = fields.number("SAMP_TOP", depth)) return error;
  return fields.number("SPEC_DPTH", depth);
}

// A specimen while its rows are gathered.
struct Gathered {
  Specimen specimen;
  std::optional<double> cong_void_ratio;
  std::map<int, int> increment_lines;  // CONS_INCN to the line of its row
};

class Gathering {
 public:
  Gathered& of(const SpecimenKey& key) {
    const auto [at, added] = index_.try_emplace(key, gathered_.size());
    if (added) {
      gathered_.emplace_back();
      gathered_.back().specimen.key = key;
    }
    return gathered_[at->second];
  }
  std::vector<Gathered>& all() { return gathered_; }

 private:
  std::map<SpecimenKey, std::size_t> index_;
  std::vector<Gathered> gathered_;  // in the order of their first row
};

std::optional<Error> read_cong_row(const Group& group, const DataRow& row, Gathering& gathering) {
  const RowFields fields(group, row);
  SpecimenKey key;
  if (auto error = read_key(fields, key)) return error;
  Gathered& gathered = gathering.of(key);
  if (gathered.specimen.cong_line != 0) {
    Error error = fields.fault(ErrorKind::kSpecimenRepeated, "", "");
    error.specimen = key;
    error.other_line = gathered.specimen.cong_line;
    return error;
  }
  gathered.specimen.cong_line = row.line;
  gathered.specimen.test_type = fields.text("CONG_TYPE");
  return fields.number("CONG_IVR", gathered.cong_void_ratio);
}

std::optional<Error> read_cons_row(const Group& group, const DataRow& row, Gathering& gathering) {
  const RowFields fields(group, row);
  SpecimenKey key;
  if (auto error = read_key(fields, key)) return error;
  Increment increment;
  increment.line = row.line;
  const std::string number_text = fields.text("CONS_INCN");
  if (number_text.empty()) return fields.fault(ErrorKind::kValueMissing, "CONS_INCN", "");
  const char* end = number_text.data() + number_text.size();
  const auto [ptr, code] = std::from_chars(number_text.data(), end, increment.number);
  if (code != std::errc() || ptr != end) {
    return fields.fault(ErrorKind::kNotAWholeNumber, "CONS_INCN", number_text);
  }
  if (auto error = fields.required_number("CONS_INCF", increment.stress)) return error;
  if (auto error = fields.number("CONS_INCE", increment.void_ratio)) return error;
  if (auto error = fields.number("CONS_IVR", increment.start_void_ratio)) return error;
  std::optional<double> root_time;
  std::optional<double> log_time;
  if (auto error = fields.number("CONS_CVRT", root_time)) return error;
  if (auto error = fields.number("CONS_CVLG", log_time)) return error;
  increment.cv = root_time ? root_time : log_time;
  increment.cv_method = log_time && !root_time ? CvMethod::kLogTime : CvMethod::kRootTime;

  Gathered& gathered = gathering.of(key);
  const auto [seen, added] = gathered.increment_lines.try_emplace(increment.number, row.line);
  if (!added) {
    Error error = fields.fault(ErrorKind::kIncrementRepeated, "CONS_INCN", number_text);
    error.specimen = key;
    error.other_line = seen->second;
    return error;
  }
  gathered.specimen.increments.push_back(increment);
  return std::nullopt;
}

Error specimen_fault(ErrorKind kind, int line, std::string_view heading, const SpecimenKey& key,
                     double value) {
  Error error;
  error.kind = kind;
  error.line = line;
  if (!heading.empty()) error.group = heading.substr(0, 4);
  error.heading = heading;
  error.specimen = key;
  if (kind == ErrorKind::kValueNotPositive) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    error.text.assign(text, result.ptr);
  }
  return error;
}

// Orders the increments, marks the loading ones and checks what the curve
// takes from them: the initial void ratio and, of each loading increment,
// its stress, its void ratio and its cv.
std::optional<Error> complete(Gathered& gathered, std::vector<Warning>& warnings, bool& kept) {
  Specimen& specimen = gathered.specimen;
  std::vector<Increment>& increments = specimen.increments;
  std::sort(increments.begin(), increments.end(),
            [](const Increment& a, const Increment& b) { return a.number < b.number; });
  double highest = -std::numeric_limits<double>::infinity();
  int loading = 0;
  for (Increment& increment : increments) {
    increment.loading = increment.stress > highest;
    highest = std::max(highest, increment.stress);
    loading += increment.loading ? 1 : 0;
  }
  kept = loading >= 2;
  if (!kept) {
    Warning warning;
    warning.kind = WarningKind::kTooFewLoadingIncrements;
    warning.line = specimen.cong_line != 0 ? specimen.cong_line : increments.front().line;
    warning.specimen = specimen.key;
    warning.count = loading;
    warnings.push_back(std::move(warning));
    return std::nullopt;
  }

  if (gathered.cong_void_ratio) {
    specimen.initial_void_ratio = *gathered.cong_void_ratio;
    specimen.initial_void_ratio_from = InitialVoidRatio::kCong;
    specimen.initial_void_ratio_line = specimen.cong_line;
  } else if (increments.front().start_void_ratio) {
    specimen.initial_void_ratio = *increments.front().start_void_ratio;
    specimen.initial_void_ratio_from = InitialVoidRatio::kFirstIncrement;
    specimen.initial_void_ratio_line = increments.front().line;
  } else {
    const int line = specimen.cong_line != 0 ? specimen.cong_line : increments.front().line;
    return specimen_fault(ErrorKind::kNoInitialVoidRatio, line, "", specimen.key, 0.0);
  }
  if (!(specimen.initial_void_ratio > 0.0)) {
    const bool cong = specimen.initial_void_ratio_from == InitialVoidRatio::kCong;
    return specimen_fault(ErrorKind::kValueNotPositive, specimen.initial_void_ratio_line,
                          cong ? "CONG_IVR" : "CONS_IVR", specimen.key,
                          specimen.initial_void_ratio);
  }

  double before = specimen.initial_void_ratio;
  for (const Increment& increment : increments) {
    if (!increment.loading) continue;
    const auto fault = [&](ErrorKind kind, std::string_view heading, double value) {
      return specimen_fault(kind, increment.line, heading, specimen.key, value);
    };
    if (!(increment.stress > 0.0)) {
      return fault(ErrorKind::kValueNotPositive, "CONS_INCF", increment.stress);
    }
    if (!increment.void_ratio) return fault(ErrorKind::kValueMissing, "CONS_INCE", 0.0);
    const double void_ratio = *increment.void_ratio;
    if (!(void_ratio > 0.0)) return fault(ErrorKind::kValueNotPositive, "CONS_INCE", void_ratio);
    if (increment.cv && !(*increment.cv > 0.0)) {
      const bool root = increment.cv_method == CvMethod::kRootTime;
      return fault(ErrorKind::kValueNotPositive, root ? "CONS_CVRT" : "CONS_CVLG", *increment.cv);
    }
    if (void_ratio > before) {
      Warning warning;
      warning.kind = WarningKind::kStrainFalls;
      warning.line = increment.line;
      warning.specimen = specimen.key;
      warning.increment = increment.number;
      warnings.push_back(std::move(warning));
    }
    before = void_ratio;
  }
  return std::nullopt;
}

}  // namespace

SpecimenReading collect_specimens(const File& file) {
  SpecimenReading reading;
  const Group* cons = find_group(file, "CONS");
  if (!cons) {
    reading.error = whole_file_error(ErrorKind::kNoConsGroup);
    return reading;
  }
  const Group* cong = find_group(file, "CONG");
  std::vector<const Group*> groups = {cons};
  if (cong) groups.insert(cong->line < cons->line ? groups.begin() : groups.end(), cong);

  constexpr std::array<std::string_view, 10> kConsRequired = {
      "LOCA_ID",  "SAMP_TOP",  "SAMP_REF",  "SAMP_TYPE", "SAMP_ID",
      "SPEC_REF", "SPEC_DPTH", "CONS_INCN", "CONS_INCF", "CONS_INCE"};
  for (const Group* group : groups) {
    const bool is_cons = group == cons;
    auto error = is_cons ? check_layout(*group, kConsRequired, kConsOwnHeadings, reading.warnings)
                         : check_layout(*group, kKeyHeadings, kCongOwnHeadings, reading.warnings);
    if (error) {
      reading.error = std::move(error);
      return reading;
    }
  }

  Gathering gathering;
  for (const Group* group : groups) {
    for (const DataRow& row : group->rows) {
      auto error = group == cons ? read_cons_row(*group, row, gathering)
                                 : read_cong_row(*group, row, gathering);
      if (error) {
        reading.error = std::move(error);
        return reading;
      }
    }
  }

  for (Gathered& gathered : gathering.all()) {
    bool kept = false;
    if (auto error = complete(gathered, reading.warnings, kept)) {
      reading.error = std::move(error);
      return reading;
    }
    if (kept) reading.specimens.push_back(std::move(gathered.specimen));
  }
  if (reading.specimens.empty()) {
    reading.error = whole_file_error(ErrorKind::kNoSpecimenWithCurve);
  }
  return reading;
}

std::vector<Increment> loading_increments(const Specimen& specimen) {
  std::vector<Increment> loading;
  for (const Increment& increment : specimen.increments) {
    if (increment.loading) loading.push_back(increment);
  }
  return loading;
}

}  // namespace ags4
