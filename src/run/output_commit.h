// An output written under a temporary name beside its file and put in the
// file's place when the run ends, so that a run that fails, is interrupted or
// finds the disk full leaves the file as it was.
#pragma once

#include <fstream>
#include <string>
#include <utility>

namespace run {

// Whether the file `name` could be written, without creating or changing
// anything: 0, or the errno value that opening it to write would give (an
// empty name, a folder, a missing folder, a file or folder that may not be
// written).
int output_check(const std::string& name);

class StagedOutput {
 public:
  explicit StagedOutput(std::string target) : target_(std::move(target)) {}
  // Removes the temporary file unless it was put in place.
  ~StagedOutput() { discard(); }
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;

  // Checks the target (output_check) and creates the temporary file beside
  // it; returns 0 or the errno value of the failure. A target that exists and
  // is no regular file (a device such as /dev/full) is written in place.
  int open();
  std::ostream& stream() { return stream_; }
  bool is_open() const { return stream_.is_open(); }
  // Flushes and closes what was written; false when it could not be written.
  bool finish();
  // Puts the temporary file in the target's place (with the target's
  // permissions when it existed); false when that fails.
  bool commit();
  // Closes and removes the temporary file.
  void discard();
  // Creates the target empty when it does not exist yet, as a run has always
  // left its files; an existing file stays untouched.
  void create_target_if_missing();

  // True when the target was a regular file before the run.
  bool target_existed() const { return existed_; }
  const std::string& target() const { return target_; }

 private:
  std::string target_;
  std::string final_;      // the file replaced: the target, or the file its link names
  std::string temporary_;  // empty: nothing staged (written in place, or put in place)
  std::ofstream stream_;
  bool existed_ = false;
  int removal_slot_ = -1;
};

}  // namespace run
