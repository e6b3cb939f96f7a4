// Opening the program's files by the names given in names.dat.
#include "run/file_set.h"

#include <cerrno>
#include <cwctype>
#include <filesystem>
#include <system_error>
#include <vector>

#include "layout/fatal_error.h"
#include "layout/fixed_input.h"
#include "layout/layout.h"
#include "run/console_layouts.h"
#include "run/interrupt.h"

namespace run {
namespace {

// Leading and trailing blanks go, and trailing NULs; inner blanks stay.
std::string trim_name(std::string_view field) {
  std::size_t end = field.size();
  while (end > 0 && (field[end - 1] == ' ' || field[end - 1] == '\0')) --end;
  std::size_t begin = 0;
  while (begin < end && field[begin] == ' ') ++begin;
  return std::string(field.substr(begin, end - begin));
}

enum class Access { kRead, kWrite };

// The open failure that `error` (an errno value) stands for. Only a file the
// program reads can be "not found": an output file is created, so failing to
// create it (a missing folder, an empty name) is an open failure.
[[noreturn]] void fail_open(int unit, const std::string& name, int error, Access access) {
  layout::FatalKind kind = layout::FatalKind::kOpenFailure;
  if (error == ENOENT && access == Access::kRead) kind = layout::FatalKind::kFileNotFound;
  if (error == EACCES || error == EPERM) kind = layout::FatalKind::kPermissionDenied;
  layout::raise_fatal(kind, unit, full_path(name));
}

bool is_directory(const std::string& name) {
  std::error_code ignored;
  return !name.empty() && std::filesystem::is_directory(name, ignored);
}

}  // namespace

FileNames read_file_names() {
  FileNames result;
  std::ifstream stream("names.dat", std::ios::binary);
  if (!stream) return result;
  result.found = true;
  layout::RecordReader reader(stream, kNamesUnit, full_path("names.dat"));
  static const layout::Layout kName = layout::parse_layout(kNameLayout);
  try {
    for (std::string& name : result.names) {
      std::array<char, 255> field;
      field.fill(' ');
      layout::read_fixed(reader, kName, {layout::Target::of(std::span<char>(field))});
      name = trim_name(std::string_view(field.data(), field.size()));
      ++result.lines_read;
    }
    result.complete = true;
  } catch (const layout::FatalError&) {
    // A short or unreadable names.dat: the names not read stay empty.
  }
  return result;
}

bool same_file(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  std::error_code error;
  if (fs::exists(a, error) && fs::exists(b, error)) {
    const bool same = fs::equivalent(a, b, error);
    if (!error) return same;
  }
  const fs::path first = fs::absolute(a, error).lexically_normal();
  const fs::path second = fs::absolute(b, error).lexically_normal();
#ifdef _WIN32
  // Windows takes names that differ in case alone for one file.
  const auto folded = [](const fs::path& path) {
    std::wstring text = path.wstring();
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
  };
  return folded(first) == folded(second);
#else
  return first == second;
#endif
}

void check_names_apart(const FileNames& names) {
  // Line 0 stands for names.dat itself.
  const auto name_of = [&names](int line) -> std::string {
    return line == 0 ? std::string("names.dat") : names.names[static_cast<std::size_t>(line - 1)];
  };
  for (int output = 2; output <= 4; ++output) {
    const std::string name = name_of(output);
    if (name.empty()) continue;
    for (int other = 0; other < output; ++other) {
      const std::string other_name = name_of(other);
      if (other_name.empty() || !same_file(name, other_name)) continue;
      const std::string what = other == 0
                                   ? "names.dat names itself on line " + std::to_string(output)
                                   : "names.dat names one file on lines " + std::to_string(other) +
                                         " and " + std::to_string(output);
      throw layout::FatalError::name_clash(
          what, std::filesystem::path(full_path(name)).lexically_normal().string());
    }
  }
}

#ifdef _WIN32
// On Windows a name with a drive letter (C:\jobs\a.dat, C:a.dat) or one from
// the root of the drive or of a share (\jobs\a.dat, \\server\share\a.dat,
// /jobs/a.dat) is kept as given; any other follows the current directory and a
// backslash, as Windows writes a full path (C:\ ends with one already).
std::string full_path(const std::string& name) {
  const bool drive = name.size() >= 2 && name[1] == ':' &&
                     ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z'));
  if (drive || (!name.empty() && (name.front() == '\\' || name.front() == '/'))) return name;
  std::error_code error;
  std::string folder = std::filesystem::current_path(error).string();
  if (error) folder.clear();
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder + name;
}
#else
std::string full_path(const std::string& name) {
  if (!name.empty() && name.front() == '/') return name;
  std::error_code error;
  const std::filesystem::path cwd = std::filesystem::current_path(error);
  return (error ? std::string() : cwd.string()) + "/" + name;
}
#endif

void check_output_name(int unit, const std::string& name) {
  if (const int error = output_check(name); error != 0)
    fail_open(unit, name, error, Access::kWrite);
}

InputFile::InputFile(int unit, const std::string& name) : reader_(stream_, unit, full_path(name)) {
  if (is_directory(name)) fail_open(unit, name, EISDIR, Access::kRead);
  errno = 0;
  stream_.open(name, std::ios::binary);
  if (!stream_) fail_open(unit, name, name.empty() ? ENOENT : errno, Access::kRead);
}

OutputFile::OutputFile(int unit, const std::string& name)
    : staged_(name), writer_(staged_.stream(), "\r\n", unit, full_path(name)) {
  if (const int error = staged_.open(); error != 0) fail_open(unit, name, error, Access::kWrite);
}

void OutputFile::close() {
  if (!staged_.is_open()) return;
  writer_.flush();
  if (!staged_.finish()) {
    layout::raise_fatal(layout::FatalKind::kWriteError, writer_.unit(), writer_.path());
  }
}

void OutputFile::commit() {
  if (!staged_.commit()) {
    layout::raise_fatal(layout::FatalKind::kWriteError, writer_.unit(), writer_.path());
  }
}

FileSet::FileSet(const FileNames& names)
    : input(kInputUnit, names.names[0]),
      report(kReportUnit, names.names[1]),
      auxiliary(kAuxiliaryUnit, names.names[2]),
      trace(kTraceUnit, names.names[3]) {}

void FileSet::create_missing_outputs() {
  for (OutputFile* output : {&report, &auxiliary, &trace})
    output->staged().create_target_if_missing();
}

void FileSet::close() {
  input.close();
  // Every output is written whole before the first is put in place.
  report.close();
  auxiliary.close();
  trace.close();
  finish_without_interrupts();
  report.commit();
  auxiliary.commit();
  trace.commit();
}

std::string kept_outputs_note(const FileNames& names) {
  std::vector<std::string> kept;
  for (std::size_t line = 1; line < names.names.size(); ++line) {
    const std::string& name = names.names[line];
    std::error_code error;
    if (!name.empty() && std::filesystem::is_regular_file(name, error)) kept.push_back(name);
  }
  if (kept.empty()) return {};
  std::string note = "no file was replaced: ";
  for (std::size_t k = 0; k < kept.size(); ++k) {
    note += (k == 0 ? "" : k + 1 == kept.size() ? " and " : ", ") + kept[k];
  }
  return note + (kept.size() == 1 ? " is as it was" : " are as they were") + " before the run";
}

}  // namespace run
