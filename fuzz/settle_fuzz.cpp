// libFuzzer target: runs the whole program on a fuzzed problem data file, and
// optionally on fuzzed names.dat content, in a private temporary folder.
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "layout/fatal_error.h"
#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/problem_data.h"
#include "problem/problem_reader.h"
#include "run/problem_analysis.h"
#include "run/run_driver.h"

namespace {

namespace fs = std::filesystem;

// An input is the problem data file, optionally followed by this separator
// line and the content of names.dat. Without it, names.dat is kFixedNames.
constexpr std::string_view kNamesSeparator = "\n==names.dat==\n";
constexpr std::string_view kFixedNames = "problem.dat\nreport.rpt\naux.dat\ntrace.trc\n";
constexpr std::string_view kProblemName = "problem.dat";

// Longer inputs add nothing the counts cannot reach.
constexpr std::size_t kMaxInputSize = 8192;

// Under the sanitizers and the coverage counters, one rectangle or spread-area
// evaluation costs about 0.3 us, a circle evaluation ten times that, and the
// settlement and report lines of one point and stress depth about thirty
// times: a problem with every count at its limit runs for minutes. Problems
// above this many units (about 2 s) are left out, so that the 10 s timeout
// only ever catches a real hang; every count still reaches its limit alone.
constexpr double kWorkBudget = 8.0e6;
constexpr double kPointDepthWork = 33.0;
constexpr double kCircleWork = 10.0;

// The program runs as root here, so a fuzzed names.dat must never name a file
// outside the private folder. Every byte outside printable ASCII (and tab and
// carriage return) becomes '_', and so does every '/': a name is then one
// component of the current folder. A '.' that would start the trimmed name
// also becomes '_', which rules out "." and ".." and hidden files. The folder
// holds no links: it is emptied before every input.
std::string safe_names(std::string_view text) {
  std::string names(text);
  bool line_start = true;
  for (char& c : names) {
    if (c == '\n') {
      line_start = true;
      continue;
    }
    const bool printable = c >= ' ' && c <= '~';
    if ((!printable && c != '\t' && c != '\r') || c == '/') c = '_';
    if (line_start && c == '.') c = '_';
    if (c != ' ') line_start = false;
  }
  return names;
}

// The names the program opens: the first four lines of names.dat as read
// through an A255 field (a CR before an LF is not part of the line), with
// leading and trailing blanks trimmed.
std::vector<std::string> named_files(std::string_view names) {
  std::vector<std::string> result;
  for (int line = 0; line < 4 && !names.empty(); ++line) {
    const std::size_t end = names.find('\n');
    std::string_view field = names.substr(0, end);
    names = end == std::string_view::npos ? std::string_view() : names.substr(end + 1);
    if (end != std::string_view::npos && !field.empty() && field.back() == '\r') {
      field.remove_suffix(1);
    }
    field = field.substr(0, 255);
    while (!field.empty() && field.back() == ' ') field.remove_suffix(1);
    while (!field.empty() && field.front() == ' ') field.remove_prefix(1);
    result.emplace_back(field);
  }
  return result;
}

// The problem goes under the input file's name, so that a fuzzed names.dat
// still reaches it; names.dat itself is never replaced.
std::string problem_name(const std::vector<std::string>& named) {
  if (named.empty() || named.front().empty() || named.front() == "names.dat") {
    return std::string(kProblemName);
  }
  return named.front();
}

// Reads the problem as the program will and estimates the work of its stress
// computation and result tables; a problem the reading stops costs nothing.
bool exceeds_work_budget(std::string_view problem_text) {
  std::istringstream in{std::string(problem_text)};
  layout::RecordReader input(in, 5, "problem");
  run::ProblemAnalysis prepared;
  try {
    prepared = run::prepare_problem(problem::read_problem(input, nullptr));
    if (prepared.stopped()) return false;
  } catch (const layout::FatalError&) {
    return false;
  }
  const problem::ProblemData* problem = prepared.problem.get();
  double per_point_and_depth = kPointDepthWork;
  const int areas = std::max(problem->total_area_count(), 0);
  for (int a = 1; a <= areas; ++a) {
    per_point_and_depth += problem->areas[a].shape == problem::kCircle ? kCircleWork : 1.0;
  }
  const int points = std::max(problem->point_count, 0);
  const int depths = prepared.profile->depth_count();
  return points * depths * per_point_and_depth > kWorkBudget;
}

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "settle_fuzz: %s\n", what.c_str());
  std::abort();
}

// False when the file cannot be written (a fuzzed name the system rejects).
bool write_file(const std::string& name, std::string_view text) {
  std::FILE* file = std::fopen(name.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

// The private folder, created once per process and removed at a normal exit.
// The path is never destroyed, so the exit handler can still read it. After a
// finding the folder stays, with the files of the failing run.
const fs::path& private_folder() {
  static const fs::path* const folder = [] {
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error) base = "/tmp";
    std::string pattern = (base / "settle-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) fail("cannot create a private folder");
    return new fs::path(pattern);
  }();
  static const bool removed_at_exit = std::atexit([] {
                                        std::error_code ignored;
                                        fs::remove_all(*folder, ignored);
                                      }) == 0;
  static_cast<void>(removed_at_exit);
  return *folder;
}

// The run sees the private folder as its current folder; libFuzzer reads and
// writes its corpus by relative names, so the original folder comes back after.
// A finding is written while the run is inside, so -artifact_prefix must be an
// absolute path.
class InFolder {
 public:
  explicit InFolder(const fs::path& folder) : original_(open(".", O_RDONLY | O_DIRECTORY)) {
    if (original_ < 0 || chdir(folder.c_str()) != 0) fail("cannot enter the private folder");
  }
  ~InFolder() {
    if (fchdir(original_) != 0) fail("cannot leave the private folder");
    close(original_);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;

 private:
  int original_;
};

void empty_folder(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

// Nothing may be left in the folder but names.dat, the problem and the files
// names.dat names.
void check_folder(const fs::path& folder, const std::vector<std::string>& named,
                  const std::string& problem) {
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name == "names.dat" || name == problem) continue;
    if (std::find(named.begin(), named.end(), name) != named.end()) continue;
    fail("the run left a file not named in names.dat: '" + name + "'");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxInputSize) return -1;
  const fs::path& folder = private_folder();
  const InFolder in_folder(folder);
  empty_folder(folder);

  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t separator = input.find(kNamesSeparator);
  std::string names(kFixedNames);
  std::string_view problem = input;
  if (separator != std::string_view::npos) {
    problem = input.substr(0, separator + 1);
    names = safe_names(input.substr(separator + kNamesSeparator.size()));
  }
  const std::vector<std::string> named = named_files(names);
  const std::string problem_file = problem_name(named);
  if (exceeds_work_budget(problem)) return -1;
  if (!write_file("names.dat", names)) fail("cannot write names.dat");
  write_file(problem_file, problem);

  std::ostringstream console;
  try {
    const int status = run::run_settle(console);
    // A normal end, or a stop on the problem's data.
    if (status != 0 && status != 3) fail("run_settle returned " + std::to_string(status));
  } catch (const layout::FatalError& error) {
    if (error.report().rfind("settle: severe (", 0) != 0)
      fail("malformed report: " + error.report());
  } catch (const std::exception& error) {
    fail(std::string("unexpected exception: ") + error.what());
  } catch (...) {
    fail("unexpected exception of an unknown type");
  }
  check_folder(folder, named, problem_file);
  return 0;
}
