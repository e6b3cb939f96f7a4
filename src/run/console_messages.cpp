// The run's own console messages.
#include "run/console_messages.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "layout/layout.h"
#include "layout/render.h"
#include "run/console_layouts.h"

namespace run {
namespace {

void put_line(layout::RecordWriter& console, std::string_view program, std::string_view kind,
              std::string_view file, int line, const std::string& text) {
  std::string record(program);
  record += ": ";
  record += kind;
  record += ": ";
  record += file;
  if (line > 0) record += ", line " + std::to_string(line);
  record += ": " + text;
  console.put(record);
}

}  // namespace

void announce_data_errors(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(kDataErrorsLayout);
  layout::write_record(console, kLayout, {});
}

void announce_execution(layout::RecordWriter& console) {
  static const layout::Layout kLayout = layout::parse_layout(kExecutionLayout);
  layout::write_record(console, kLayout, {});
}

void explain_names(layout::RecordWriter& console, std::string_view program,
                   const FileNames& names) {
  static const char* const kRoles[] = {"the problem file", "the report", "the auxiliary data file",
                                       "the trace file"};
  std::error_code error;
  const std::string folder = std::filesystem::current_path(error).string();
  std::string record(program);
  if (!names.found) {
    record += ": no names.dat in the folder " + folder +
              "; its four lines name the problem file, the report, the auxiliary data file and "
              "the trace file";
    console.put(record);
    return;
  }
  record += ": names.dat in the folder " + folder + " holds " + std::to_string(names.lines_read) +
            " of its four lines";
  if (names.lines_read > 0) {
    record += " (";
    for (int line = 0; line < names.lines_read; ++line) {
      record += (line == 0 ? "\"" : ", \"") + names.names[static_cast<std::size_t>(line)] + "\"";
    }
    record += ")";
  }
  record += "; missing:";
  for (int line = names.lines_read; line < 4; ++line) {
    record += std::string(line == names.lines_read ? " " : ", ") + "line " +
              std::to_string(line + 1) + ", " + kRoles[line];
  }
  console.put(record);
}

FileNames read_and_explain_names(layout::RecordWriter& console, std::string_view program) {
  FileNames names = read_file_names();
  if (!names.complete) {
    explain_names(console, program, names);
    announce_data_errors(console);
  }
  return names;
}

void print_input_warnings(layout::RecordWriter& console, std::string_view program,
                          std::string_view file, const std::vector<problem::InputWarning>& warnings,
                          std::int32_t unit_system) {
  for (const problem::InputWarning& warning : warnings) {
    put_line(console, program, "warning", file, warning.line,
             report::input_warning_text(warning, unit_system));
  }
}

void print_strain_warnings(layout::RecordWriter& console, std::string_view program,
                           std::string_view file,
                           const std::vector<report::PointWarningText>& warnings) {
  for (const report::PointWarningText& warning : warnings) {
    put_line(console, program, "warning", file, warning.line, warning.text);
  }
}

void print_fault_lines(layout::RecordWriter& console, std::string_view program,
                       std::string_view file, const problem::ProblemData& problem,
                       const problem::InputFault& fault) {
  for (const report::FaultText& text : report::input_fault_texts(problem, fault)) {
    put_line(console, program, "error", file, text.line, text.text);
  }
}

void print_stopped(layout::RecordWriter& console, std::string_view program,
                   std::string_view reasons_where) {
  std::string record(program);
  record += ": the problem's data stopped the run; ";
  record += reasons_where;
  console.put(record);
}

}  // namespace run
