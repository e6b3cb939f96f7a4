// Running the real settle executable in a private temporary folder, for the
// end-to-end tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

struct RunResult {
  int exit_status = -1;
  std::string console;  // everything written to the standard error stream
  std::string output;   // everything written to the standard output stream
};

// A fresh empty folder under the system's temporary folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Runs `executable` with `arguments` in `folder` and collects its exit status and console.
// `environment` holds extra NAME=value settings for the run.
RunResult run_in_folder(const std::filesystem::path& folder, const std::string& executable,
                        const std::vector<std::string>& arguments = {},
                        const std::vector<std::string>& environment = {});

// `text` with every "@DIR@" replaced by `folder`, and a "/" right after it by
// the platform's separator (a backslash on Windows): the full path of a file of
// the run as the program reports it.
std::string with_run_folder(std::string text, const std::filesystem::path& folder);

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& text);

// The problem file that names.dat in the problem folder `folder` names on its
// first line, without the blanks around the name.
std::string case_problem_file(const std::filesystem::path& folder);

// Copies the inputs of the problem folder `source` into `target`: names.dat
// and the problem file its first line names. Whatever else the folder holds
// (the outputs of a run made there) stays behind.
void copy_case_inputs(const std::filesystem::path& source, const std::filesystem::path& target);

// The folders below `examples` and `e2e_cases` that hold an archived problem
// (names.dat) with reviewed outputs in an `expected/` folder, in name order.
std::vector<std::filesystem::path> reviewed_case_folders(const std::filesystem::path& examples,
                                                         const std::filesystem::path& e2e_cases);

// What a case folder asks of its run besides names.dat and the problem file,
// each from a file of the folder when it is there:
//   arguments    the program's arguments, one a line
//   environment  NAME=value settings, one a line
//   program      "settle-plot" to run settle-plot instead of settle
//   before/      files put in the run's folder first (outputs of an earlier run)
//   lock_held    the program's lock file is held by another process for the run
//   interrupt    the lock is held, and the run, once it waits for it, gets SIGINT
//   posix_only   the case needs a POSIX system (/dev/full, signals)
struct CaseSetup {
  std::vector<std::string> arguments;
  std::vector<std::string> environment;
  std::string program;  // empty: settle
  bool lock_held = false;
  bool interrupt = false;
  bool posix_only = false;
  bool seeded = false;  // has before/
  // True for a case that asks for nothing of the above.
  bool plain() const;
};
CaseSetup case_setup(const std::filesystem::path& folder);

// The lock file `path` held, as another run of the program holds it, for the
// life of the object; the file is removed with it.
class HeldLock {
 public:
  explicit HeldLock(std::filesystem::path path);
  ~HeldLock();
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;

 private:
  std::filesystem::path path_;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int descriptor_ = -1;
#endif
};

// Runs `executable` in `folder` as run_in_folder does, sends it SIGINT once it
// has written its first line to the console (it waits for a lock then), and
// collects how it ended. POSIX systems only.
RunResult run_interrupted_in_folder(const std::filesystem::path& folder,
                                    const std::string& executable,
                                    const std::vector<std::string>& arguments = {},
                                    const std::vector<std::string>& environment = {});

// Empty when equal; else the first differing line of both, numbered from 1.
std::string first_difference(const std::string& expected, const std::string& got);

}  // namespace testing_support
