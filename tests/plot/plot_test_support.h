// Copying a problem folder for a run of settle-plot.
#pragma once

#include <filesystem>

namespace plot_test {

// Copies the files (not the folders) of `source` into `target`.
inline void copy_case(const std::filesystem::path& source, const std::filesystem::path& target) {
  for (const auto& entry : std::filesystem::directory_iterator(source)) {
    if (entry.is_regular_file()) std::filesystem::copy_file(entry.path(), target / entry.path().filename());
  }
}

}  // namespace plot_test
