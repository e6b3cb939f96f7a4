// The options every program of the project answers.
#include "run/command_line.h"

#include <iostream>

namespace run {

std::optional<int> answer_help_or_version(int argc, char** argv, std::string_view usage,
                                          std::string_view program) {
  if (argc != 2) return std::nullopt;
  const std::string_view argument = argv[1];
  if (argument == "--help") {
    std::cout << usage;
    return 0;
  }
  if (argument == "--version") {
    std::cout << program << " " SETTLE_VERSION "\n";
    return 0;
  }
  return std::nullopt;
}

int refuse_command_line(std::string_view program, std::string_view complaint,
                        std::string_view usage) {
  std::cerr << program << ": " << complaint << "\n" << usage;
  return 2;
}

}  // namespace run
