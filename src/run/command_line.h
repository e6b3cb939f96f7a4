// The options every program of the project answers: --help and --version.
#pragma once

#include <optional>
#include <string_view>

namespace run {

// When the command line is exactly `--help` or `--version`, prints the usage
// or `program` and its version to the standard output and returns exit status
// 0; otherwise returns nothing and prints nothing.
std::optional<int> answer_help_or_version(int argc, char** argv, std::string_view usage,
                                          std::string_view program);

// A command line the program does not understand: one line naming the
// argument (or saying what is wrong), then the usage, on the standard error
// stream. Returns the exit status of a wrong command line, 2.
int refuse_command_line(std::string_view program, std::string_view complaint,
                        std::string_view usage);

}  // namespace run
