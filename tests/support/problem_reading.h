// Reading a problem as the program reads its problem file, for tests that
// start from a problem's text or from an example's file.
#pragma once

#include <filesystem>
#include <fstream>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>

#include "layout/record_reader.h"
#include "layout/record_writer.h"
#include "problem/problem_reader.h"

namespace testing_support {

// Reads the problem on `in` under the file name `name`, echoing each record
// to `echo` as the program echoes it to the console.
inline problem::ReadResult read_problem_from(std::istream& in, const std::string& name,
                                             std::ostream& echo) {
  layout::RecordReader input(in, 5, name);
  layout::RecordWriter console(echo, "\n", layout::kConsoleUnit, "");
  return problem::read_problem(input, &console);
}

// Reads the problem file whose text is `text`; the echo is dropped.
inline problem::ReadResult read_problem_text(const std::string& text,
                                             const std::string& name = "problem.dat") {
  std::istringstream in(text);
  std::ostringstream echo;
  return read_problem_from(in, name, echo);
}

// Reads the problem file `file`, named by its file name; the echo is dropped.
inline problem::ReadResult read_problem_file(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream echo;
  return read_problem_from(in, file.filename().string(), echo);
}

}  // namespace testing_support
