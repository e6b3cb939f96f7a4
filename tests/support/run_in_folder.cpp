#include "support/run_in_folder.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace testing_support {
namespace {

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

}  // namespace

TempFolder::TempFolder() {
  std::random_device seed;
  const auto base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = base / ("settle-test-" + std::to_string(::getpid()) + "-" + std::to_string(seed()));
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
  std::string command = "cd " + quoted(folder.string()) + " && ";
  if (!environment.empty()) {
    command += "env";
    for (const std::string& setting : environment) command += " " + quoted(setting);
    command += " ";
  }
  command += quoted(executable);
  for (const std::string& argument : arguments) command += " " + quoted(argument);
  command += " 2>" + quoted(console.string()) + " </dev/null >/dev/null";
  const int status = std::system(command.c_str());
  RunResult result;
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.console = read_file(console);
  std::filesystem::remove(console);
  return result;
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

void copy_case_inputs(const std::filesystem::path& source, const std::filesystem::path& target) {
  std::filesystem::copy_file(source / "names.dat", target / "names.dat");
  std::istringstream names(read_file(source / "names.dat"));
  std::string input;
  std::getline(names, input);
  while (!input.empty() && (input.back() == '\r' || input.back() == ' ')) input.pop_back();
  input.erase(0, input.find_first_not_of(' '));
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
      if (std::filesystem::is_directory(entry.path() / "expected")) folders.push_back(entry.path());
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

}  // namespace testing_support
