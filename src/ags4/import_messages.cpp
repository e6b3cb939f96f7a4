// Each text says where (the line, a column where one helps), what the file
// holds there and what the reader takes instead, so that the engineer can
// mend the file or ask the laboratory without reading the reader.
#include "ags4/import_messages.h"

namespace ags4 {
namespace {

std::string at_line(int line) { return line > 0 ? "line " + std::to_string(line) + ": " : ""; }

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string of_specimen(const Error& error) {
  return error.specimen ? " (" + specimen_text(*error.specimen) + ")" : "";
}

std::string fault_text(const Error& e) {
  const std::string field = e.group + " " + e.heading;
  switch (e.kind) {
    case ErrorKind::kNotAgs4:
      if (e.line == 0) return "not an AGS4 file: it holds no record";
      if (e.text.starts_with("**")) {
        return "not an AGS4 file: " + quoted(e.text) +
               " opens a group as AGS3 does; this reader takes AGS4, whose groups open with a "
               "\"GROUP\" record";
      }
      return "not an AGS4 file: it should open with a \"GROUP\" record, and opens with " +
             quoted(e.text);
    case ErrorKind::kUnterminatedQuote:
      return "the field opening at column " + std::to_string(e.column) +
             " has no closing quote (a quote inside a field is written twice)";
    case ErrorKind::kTextOutsideQuotes:
      if (e.text.empty()) {
        return "column " + std::to_string(e.column) + ": a field is missing after the last comma";
      }
      return "column " + std::to_string(e.column) + ": '" + e.text +
             "' stands outside the quotes of a field (each field is in double quotes, and a "
             "comma alone separates two)";
    case ErrorKind::kUnknownDescriptor:
      return quoted(e.text) + " is not an AGS4 record (GROUP, HEADING, UNIT, TYPE or DATA)";
    case ErrorKind::kRecordOutOfOrder:
      if (e.expected == "GROUP") {
        return "a " + e.text +
               " record outside a group: after a blank line, a group opens with its GROUP record";
      }
      if (e.expected == "DATA") {
        return "a " + e.text + " record in group " + e.group +
               " after its TYPE record: only DATA records follow, and a blank line ends the group";
      }
      return "a " + e.text + " record where group " + e.group + " needs its " + e.expected +
             " record (GROUP, HEADING, UNIT, TYPE, then DATA)";
    case ErrorKind::kGroupRecordInvalid:
      return "a GROUP record holds one field after \"GROUP\": the group's name";
    case ErrorKind::kGroupRepeated:
      return "group " + e.group + " is given twice (first at line " + std::to_string(e.other_line) +
             ")";
    case ErrorKind::kGroupIncomplete:
      return "group " + e.group + " ends without its " + e.expected + " record";
    case ErrorKind::kHeadingEmpty:
      if (e.found_count == 0) return "the HEADING record of group " + e.group + " names no field";
      return "heading " + std::to_string(e.found_count) + " of group " + e.group + " is empty";
    case ErrorKind::kHeadingRepeated:
      return "heading " + e.heading + " of group " + e.group + " is given twice";
    case ErrorKind::kFieldCountMismatch:
      return "the " + e.text + " record of group " + e.group + " holds " +
             std::to_string(e.found_count) + " fields and its HEADING record " +
             std::to_string(e.expected_count);
    case ErrorKind::kNoConsGroup:
      return "the file has no CONS group: it holds no consolidation test increments";
    case ErrorKind::kHeadingMissing:
      return "group " + e.group + " has no heading " + e.heading + ", which the reader needs";
    case ErrorKind::kUnexpectedUnit:
      return e.heading + " of group " + e.group + " is in " + quoted(e.text) +
             "; the reader takes it in " + e.expected;
    case ErrorKind::kValueMissing:
      return field + " is empty, and the reader needs it" + of_specimen(e);
    case ErrorKind::kNotANumber:
      return field + " " + quoted(e.text) + " is not a number";
    case ErrorKind::kNotAWholeNumber:
      return field + " " + quoted(e.text) + " is not a whole number";
    case ErrorKind::kValueNotPositive:
      return field + " " + e.text + " is not above 0" + of_specimen(e);
    case ErrorKind::kSpecimenRepeated:
      return specimen_text(*e.specimen) + " has a second CONG row (the first at line " +
             std::to_string(e.other_line) + ")";
    case ErrorKind::kIncrementRepeated:
      return "increment " + e.text + " of " + specimen_text(*e.specimen) +
             " is given twice (first at line " + std::to_string(e.other_line) + ")";
    case ErrorKind::kNoInitialVoidRatio:
      return specimen_text(*e.specimen) +
             " has no initial void ratio: neither its CONG_IVR nor the CONS_IVR of its first "
             "increment is given";
    case ErrorKind::kNoSpecimenWithCurve:
      return "no specimen has two loading increments, so the file gives no curve";
  }
  return "";
}

}  // namespace

std::string specimen_text(const SpecimenKey& key) {
  std::string text = "hole " + key.loca_id + ", sample";
  if (!key.samp_ref.empty()) text += " " + key.samp_ref;
  if (!key.samp_type.empty()) text += " (" + key.samp_type + ")";
  if (!key.samp_top.empty()) text += " at " + key.samp_top + " m";
  if (!key.samp_id.empty()) text += ", id " + key.samp_id;
  text += ", specimen";
  if (!key.spec_ref.empty()) text += " " + key.spec_ref;
  if (!key.spec_dpth.empty()) text += " at " + key.spec_dpth + " m";
  return text;
}

std::string error_text(const Error& error) { return at_line(error.line) + fault_text(error); }

std::string warning_text(const Warning& w) {
  std::string text = at_line(w.line);
  switch (w.kind) {
    case WarningKind::kUnknownHeading:
      return text + "heading " + w.heading + " of group " + w.group +
             " is not one the reader knows; its values are ignored";
    case WarningKind::kTooFewLoadingIncrements:
      return text + specimen_text(*w.specimen) + " has " + std::to_string(w.count) +
             (w.count == 1 ? " loading increment" : " loading increments") +
             " and a curve needs 2: it is left out";
    case WarningKind::kStrainFalls:
      return text + "the void ratio of " + specimen_text(*w.specimen) +
             " rises under loading increment " + std::to_string(w.increment) +
             ", so its curve's strain falls there";
  }
  return text;
}

}  // namespace ags4
