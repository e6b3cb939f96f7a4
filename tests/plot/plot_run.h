// settle-plot run on a shipped example in a temporary folder, for the page
// tests: the page parsed as XML, its text, the console and any other file
// the run was asked to write.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/run_in_folder.h"
#include "xml_tree.h"

namespace plot_test {

struct ExampleRun {
  int exit_status = -1;
  std::string console;
  std::string page_text;
  std::unique_ptr<XmlElement> page;
  std::map<std::string, std::string> files;  // the others asked for, by name
  std::string problem_bytes;                 // of the problem file, as copied
};

// Runs settle-plot with `arguments` in a copy of examples/`name`; reads the
// page and each file of `also_read` afterwards.
inline ExampleRun run_example(const std::string& name,
                              const std::vector<std::string>& arguments = {},
                              const std::vector<std::string>& environment = {},
                              const std::vector<std::string>& also_read = {}) {
  namespace fs = std::filesystem;
  const fs::path source = fs::path(SETTLE_EXAMPLES) / name;
  testing_support::TempFolder folder;
  testing_support::copy_case_inputs(source, folder.path());
  const auto run =
      testing_support::run_in_folder(folder.path(), SETTLE_PLOT_EXE, arguments, environment);
  ExampleRun result;
  result.exit_status = run.exit_status;
  result.console = run.console;
  std::string page_name = "settlement.html";
  for (const std::string& argument : arguments) {
    if (argument.size() > 5 && argument.substr(argument.size() - 5) == ".html")
      page_name = argument;
  }
  if (fs::exists(folder.path() / page_name)) {
    result.page_text = testing_support::read_file(folder.path() / page_name);
    result.page = XmlParser(result.page_text).parse();
  }
  for (const std::string& file : also_read) {
    if (fs::exists(folder.path() / file))
      result.files[file] = testing_support::read_file(folder.path() / file);
  }
  const std::string problem = testing_support::read_file(folder.path() / "names.dat");
  result.problem_bytes =
      testing_support::read_file(folder.path() / problem.substr(0, problem.find_first_of("\r\n")));
  return result;
}

// The elements named `name` below `root` with the class `css_class` (any
// class when empty).
inline std::vector<const XmlElement*> find(const XmlElement& root, const std::string& name,
                                           const std::string& css_class) {
  std::vector<const XmlElement*> found;
  root.collect(
      [&](const XmlElement& e) {
        return e.name == name && (css_class.empty() || e.has_class(css_class));
      },
      found);
  return found;
}

}  // namespace plot_test
