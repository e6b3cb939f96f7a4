#include "support/run_in_folder.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#endif

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace {

#ifdef _WIN32

// Text in the program's narrow encoding (the ANSI code page, as main's
// arguments are) as UTF-16.
std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(
      static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)),
      L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// One argument quoted for a command line as the C runtime splits it again.
std::wstring quoted(const std::wstring& text) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : text) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(2 * backslashes, L'\\');
  return out + L"\"";
}

// A handle the started program inherits as one of its standard streams.
HANDLE inheritable_file(const std::wstring& name, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES security{sizeof security, nullptr, TRUE};
  const HANDLE file = CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  &security, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot open a standard stream of the run");
  return file;
}

// NAME=value settings made in this process for the life of the object, so that
// the program started meanwhile inherits them; the values before are restored.
class EnvironmentSettings {
 public:
  explicit EnvironmentSettings(const std::vector<std::string>& settings) {
    for (const std::string& setting : settings) {
      const std::size_t equals = setting.find('=');
      const std::wstring name = widen(setting.substr(0, equals));
      const std::wstring value =
          equals == std::string::npos ? L"" : widen(setting.substr(equals + 1));
      std::wstring before(32767, L'\0');
      const DWORD length = GetEnvironmentVariableW(name.c_str(), before.data(), 32767);
      before.resize(length);
      saved_.push_back({name, before, length != 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND});
      SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
  }
  ~EnvironmentSettings() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      SetEnvironmentVariableW(it->name.c_str(), it->existed ? it->value.c_str() : nullptr);
    }
  }
  EnvironmentSettings(const EnvironmentSettings&) = delete;
  EnvironmentSettings& operator=(const EnvironmentSettings&) = delete;

 private:
  struct Saved {
    std::wstring name, value;
    bool existed;
  };
  std::vector<Saved> saved_;
};

// Starts `executable` in `folder` with its standard input empty and its two
// output streams written to files, waits for it and returns its exit code.
int run_program(const std::filesystem::path& folder, const std::string& executable,
                const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, const std::filesystem::path& output,
                const std::filesystem::path& console) {
  const std::filesystem::path program = std::filesystem::absolute(executable);
  std::wstring command = quoted(program.wstring());
  for (const std::string& argument : arguments) command += L" " + quoted(widen(argument));
  const EnvironmentSettings settings(environment);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inheritable_file(L"NUL", GENERIC_READ, OPEN_EXISTING);
  startup.hStdOutput = inheritable_file(output.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  startup.hStdError = inheritable_file(console.wstring(), GENERIC_WRITE, CREATE_ALWAYS);
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, folder.c_str(), &startup, &process);
  CloseHandle(startup.hStdInput);
  CloseHandle(startup.hStdOutput);
  CloseHandle(startup.hStdError);
  if (!started) throw std::runtime_error("cannot start " + program.string());
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

#else

std::string quoted(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

int run_program(const std::filesystem::path& folder, const std::string& executable,
                const std::vector<std::string>& arguments,
                const std::vector<std::string>& environment, const std::filesystem::path& output,
                const std::filesystem::path& console) {
  std::string command = "cd " + quoted(folder.string()) + " && ";
  if (!environment.empty()) {
    command += "env";
    for (const std::string& setting : environment) command += " " + quoted(setting);
    command += " ";
  }
  command += quoted(executable);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command += " 2>" + quoted(console.string()) + " >" + quoted(output.string()) + " </dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#endif

}  // namespace

TempFolder::TempFolder() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / ("settle-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

RunResult run_in_folder(const std::filesystem::path& folder, const std::string& executable,
                        const std::vector<std::string>& arguments,
                        const std::vector<std::string>& environment) {
  const std::filesystem::path console =
      folder.parent_path() / (folder.filename().string() + ".console");
  const std::filesystem::path output =
      folder.parent_path() / (folder.filename().string() + ".output");
  RunResult result;
  result.exit_status = run_program(folder, executable, arguments, environment, output, console);
  result.console = read_file(console);
  result.output = read_file(output);
  std::filesystem::remove(console);
  std::filesystem::remove(output);
  return result;
}

std::string with_run_folder(std::string text, const std::filesystem::path& folder) {
  const std::string marker = "@DIR@";
  const std::string separator(1, static_cast<char>(std::filesystem::path::preferred_separator));
  for (std::size_t at; (at = text.find(marker)) != std::string::npos;) {
    const bool slash = text.compare(at + marker.size(), 1, "/") == 0;
    text.replace(at, marker.size() + (slash ? 1 : 0), folder.string() + (slash ? separator : ""));
  }
  return text;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void write_file(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string case_problem_file(const std::filesystem::path& folder) {
  std::istringstream names(read_file(folder / "names.dat"));
  std::string input;
  std::getline(names, input);
  while (!input.empty() && (input.back() == '\r' || input.back() == ' ')) input.pop_back();
  input.erase(0, input.find_first_not_of(' '));
  return input;
}

void copy_case_inputs(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::filesystem::copy_file(source / "names.dat", target / "names.dat");
  const std::string input = case_problem_file(source);
  if (!input.empty() && std::filesystem::is_regular_file(source / input)) {
    std::filesystem::copy_file(source / input, target / input);
  }
}

std::vector<std::filesystem::path> reviewed_case_folders(const std::filesystem::path& examples,
                                                         const std::filesystem::path& e2e_cases) {
  std::vector<std::filesystem::path> folders;
  for (const std::filesystem::path& root : {examples, e2e_cases}) {
    // A missing folder finds no case, which the tests count as a failure.
    if (!std::filesystem::is_directory(root)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
      // An archived problem's case: names.dat beside its reviewed outputs (a
      // site project's example has its own test).
      if (std::filesystem::is_directory(entry.path() / "expected") &&
          std::filesystem::exists(entry.path() / "names.dat"))
        folders.push_back(entry.path());
    }
  }
  std::sort(folders.begin(), folders.end());
  return folders;
}

std::string first_difference(const std::string& expected, const std::string& got) {
  if (expected == got) return {};
  std::istringstream e(expected), g(got);
  std::string el, gl;
  for (int line = 1;; ++line) {
    const bool has_e = static_cast<bool>(std::getline(e, el));
    const bool has_g = static_cast<bool>(std::getline(g, gl));
    if (!has_e && !has_g) return "the files differ only in their last line end";
    if (!has_e || !has_g || el != gl) {
      return "line " + std::to_string(line) +
             "\n  expected: " + (has_e ? "|" + el + "|" : "(end of file)") +
             "\n  got:      " + (has_g ? "|" + gl + "|" : "(end of file)");
    }
  }
}

namespace {

std::vector<std::string> lines_in(const std::filesystem::path& path) {
  std::vector<std::string> lines;
  std::istringstream text(read_file(path));
  for (std::string line; std::getline(text, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace

bool CaseSetup::plain() const {
  return arguments.empty() && environment.empty() && program.empty() && !lock_held && !interrupt &&
         !posix_only && !seeded;
}

CaseSetup case_setup(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  CaseSetup setup;
  if (fs::exists(folder / "arguments")) setup.arguments = lines_in(folder / "arguments");
  if (fs::exists(folder / "environment")) setup.environment = lines_in(folder / "environment");
  if (fs::exists(folder / "program")) {
    const std::vector<std::string> program = lines_in(folder / "program");
    if (!program.empty()) setup.program = program.front();
  }
  setup.lock_held = fs::exists(folder / "lock_held");
  setup.interrupt = fs::exists(folder / "interrupt");
  setup.posix_only = fs::exists(folder / "posix_only");
  setup.seeded = fs::is_directory(folder / "before");
  return setup;
}

#ifdef _WIN32

HeldLock::HeldLock(std::filesystem::path path) : path_(std::move(path)) {
  const HANDLE file = CreateFileW(path_.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold the lock file");
  handle_ = file;
}

HeldLock::~HeldLock() {
  CloseHandle(static_cast<HANDLE>(handle_));
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

RunResult run_interrupted_in_folder(const std::filesystem::path&, const std::string&,
                                    const std::vector<std::string>&,
                                    const std::vector<std::string>&) {
  throw std::runtime_error("an interrupt is sent on POSIX systems only");
}

#else

HeldLock::HeldLock(std::filesystem::path path) : path_(std::move(path)) {
  descriptor_ = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (descriptor_ < 0 || flock(descriptor_, LOCK_EX) != 0) {
    throw std::runtime_error("cannot hold the lock file");
  }
}

HeldLock::~HeldLock() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  close(descriptor_);
}

RunResult run_interrupted_in_folder(const std::filesystem::path& folder,
                                    const std::string& executable,
                                    const std::vector<std::string>& arguments,
                                    const std::vector<std::string>& environment) {
  const std::filesystem::path console =
      folder.parent_path() / (folder.filename().string() + ".console");
  const std::filesystem::path program = std::filesystem::absolute(executable);
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    const int in = open("/dev/null", O_RDONLY);
    const int err = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(err, 2);
    for (const std::string& setting : environment) putenv(const_cast<char*>(setting.c_str()));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  // The run writes its first line when it starts to wait for the lock.
  for (int tries = 0; tries < 200; ++tries) {
    std::error_code error;
    if (std::filesystem::exists(console, error) && std::filesystem::file_size(console, error) > 0) {
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  kill(child, SIGINT);
  int status = 0;
  waitpid(child, &status, 0);
  RunResult result;
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.console = read_file(console);
  std::filesystem::remove(console);
  return result;
}

#endif

}  // namespace testing_support
