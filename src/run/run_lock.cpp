// The folder's lock file. On POSIX systems an advisory lock (flock) on it; the
// holder removes it before it lets go, so a waiting run that took the lock of
// a file already removed tries again on the new one. On Windows the file is
// opened for no one else to share and deleted when it is closed.
#include "run/run_lock.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <thread>

#include "run/file_set.h"
#include "run/interrupt.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX  // the C++ library defines it too
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace run {
namespace {

enum class Attempt { kHeld, kBusy, kNoLockFile };

constexpr auto kPollInterval = std::chrono::milliseconds(100);

std::string current_folder() {
  std::error_code error;
  return std::filesystem::current_path(error).string();
}

}  // namespace

int lock_wait_seconds() {
  const char* text = std::getenv("SETTLE_LOCK_WAIT");
  if (text == nullptr || *text == '\0') return 60;
  char* end = nullptr;
  errno = 0;
  const long seconds = std::strtol(text, &end, 10);
  if (errno != 0 || *end != '\0' || seconds < 0 || seconds > INT_MAX) return 60;
  return static_cast<int>(seconds);
}

#ifdef _WIN32

namespace {

Attempt try_lock(const std::string& path, void*& handle) {
  const std::wstring name = std::filesystem::path(path).wstring();
  const HANDLE file =
      CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    handle = file;
    return Attempt::kHeld;
  }
  const DWORD error = GetLastError();
  if (error == ERROR_SHARING_VIOLATION) return Attempt::kBusy;
  // A lock file being deleted by the run that held it refuses access a moment.
  if (error == ERROR_ACCESS_DENIED && std::filesystem::exists(name)) return Attempt::kBusy;
  return Attempt::kNoLockFile;
}

void release(void* handle) {
  if (handle != nullptr) CloseHandle(static_cast<HANDLE>(handle));
}

}  // namespace

#else

namespace {

Attempt try_lock(const std::string& path, int& descriptor) {
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return Attempt::kNoLockFile;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(fd);
    return error == EWOULDBLOCK ? Attempt::kBusy : Attempt::kNoLockFile;
  }
  // The lock of a file that its holder removed meanwhile is the lock of nothing.
  struct stat held {};
  struct stat named {};
  if (fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_ino == named.st_ino &&
      held.st_dev == named.st_dev) {
    descriptor = fd;
    return Attempt::kHeld;
  }
  close(fd);
  return Attempt::kBusy;
}

void release(const std::string& path, int descriptor) {
  if (descriptor < 0) return;
  unlink(path.c_str());
  close(descriptor);
}

}  // namespace

#endif

RunLock::RunLock(std::string_view program, layout::RecordWriter& console)
    : path_(full_path(std::string(program) + ".lock")) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(lock_wait_seconds());
  bool told = false;
  for (;;) {
#ifdef _WIN32
    const Attempt attempt = try_lock(path_, handle_);
#else
    const Attempt attempt = try_lock(path_, descriptor_);
#endif
    if (attempt == Attempt::kNoLockFile) {
      held_ = true;  // nothing to hold in a folder of no lock file
      return;
    }
    if (attempt == Attempt::kHeld) {
      held_ = true;
#ifndef _WIN32
      removal_slot_ = keep_for_removal(path_);
#endif
      return;
    }
    if (!told && lock_wait_seconds() > 0) {
      console.put(std::string(program) + ": another run of " + std::string(program) +
                  " is working in the folder " + current_folder() + " (its lock file " + path_ +
                  "); waiting up to " + std::to_string(lock_wait_seconds()) + " s for it to end");
      told = true;
    }
    if (std::chrono::steady_clock::now() >= deadline) return;
    stop_if_interrupted();
    std::this_thread::sleep_for(kPollInterval);
  }
}

RunLock::~RunLock() {
  forget_removal(removal_slot_);
#ifdef _WIN32
  release(handle_);
#else
  release(path_, descriptor_);
#endif
}

std::string lock_refusal(std::string_view program, const RunLock& lock) {
  return std::string(program) + ": another run of " + std::string(program) +
         " still holds the folder " + current_folder() + " after " +
         std::to_string(lock_wait_seconds()) + " s (its lock file " + lock.path() +
         "): this run ends and touches no file; SETTLE_LOCK_WAIT sets how long to wait";
}

}  // namespace run
