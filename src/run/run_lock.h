// The lock that keeps two runs of one program from working in one folder at
// once: a lock file in the current folder, held through the operating system
// (so that a run that dies leaves no lock behind) and removed at the end.
#pragma once

#include <string>
#include <string_view>

#include "layout/record_writer.h"

namespace run {

// How long a run waits for another in its folder, in seconds:
// SETTLE_LOCK_WAIT when it holds a whole number from 0 up, else 60.
int lock_wait_seconds();

class RunLock {
 public:
  // Takes the lock file PROGRAM.lock in the current folder. When another run
  // holds it, says so once on `console` and waits for it up to
  // lock_wait_seconds(); `held()` is then false if it is still held. A folder
  // where no lock file can be made (read only) is run in without one.
  RunLock(std::string_view program, layout::RecordWriter& console);
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  // False only when another run kept the lock past the wait.
  bool held() const { return held_; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  bool held_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int descriptor_ = -1;
#endif
  int removal_slot_ = -1;
};

// The line of a run that gave up waiting for `lock`.
std::string lock_refusal(std::string_view program, const RunLock& lock);

}  // namespace run
