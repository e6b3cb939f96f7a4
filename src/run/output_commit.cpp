// Outputs staged beside their files. The temporary file lies in the target's
// own folder so that putting it in place is a rename within one file system,
// which replaces the old file in one step.
#include "run/output_commit.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "run/interrupt.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX  // the C++ library defines it too
#define NOMINMAX
#endif
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace run {
namespace {

namespace fs = std::filesystem;

int process_id() {
#ifdef _WIN32
  return _getpid();
#else
  return static_cast<int>(getpid());
#endif
}

// The folder a file of `name` goes into, "." for a bare name.
fs::path folder_of(const fs::path& name) {
  const fs::path folder = name.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool folder_writable(const fs::path& folder) {
#ifdef _WIN32
  (void)folder;
  return true;  // Windows says so only when a file is made
#else
  return access(folder.c_str(), W_OK) == 0;
#endif
}

bool rename_over(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExW(fs::path(from).wstring().c_str(), fs::path(to).wstring().c_str(),
                     MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

int output_check(const std::string& name) {
  if (name.empty()) return ENOENT;
  std::error_code error;
  const fs::file_status status = fs::status(name, error);
  if (fs::is_directory(status)) return EISDIR;
  if (fs::exists(status)) {
    // Opened to append and closed at once: no byte and no time changes.
    errno = 0;
    std::ofstream probe(name, std::ios::binary | std::ios::app);
    if (!probe) return errno != 0 ? errno : EACCES;
    return 0;
  }
  const fs::path folder = folder_of(name);
  if (!fs::is_directory(folder, error)) return ENOENT;
  if (!folder_writable(folder)) return EACCES;
  return 0;
}

int StagedOutput::open() {
  if (const int error = output_check(target_); error != 0) return error;
  std::error_code error;
  const fs::file_status status = fs::status(target_, error);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // A device or a pipe cannot be replaced: it is written as it is.
    errno = 0;
    stream_.open(target_, std::ios::binary | std::ios::trunc);
    return stream_ ? 0 : (errno != 0 ? errno : EIO);
  }
  existed_ = fs::exists(status);
  // A link stays a link: the file it names is the one replaced.
  final_ = fs::is_symlink(fs::symlink_status(target_, error))
               ? fs::weakly_canonical(target_, error).string()
               : target_;
  if (final_.empty()) final_ = target_;
  const std::string stem = final_ + ".settle-" + std::to_string(process_id());
  for (int attempt = 0;; ++attempt) {
    std::string candidate = stem + (attempt == 0 ? "" : "-" + std::to_string(attempt)) + ".tmp";
    if (fs::exists(candidate, error)) continue;
    errno = 0;
    stream_.open(candidate, std::ios::binary | std::ios::trunc);
    if (!stream_) return errno != 0 ? errno : EIO;
    temporary_ = std::move(candidate);
    removal_slot_ = keep_for_removal(temporary_);
    return 0;
  }
}

bool StagedOutput::finish() {
  if (!stream_.is_open()) return true;
  stream_.flush();
  const bool written = static_cast<bool>(stream_);
  stream_.close();
  return written && static_cast<bool>(stream_);
}

bool StagedOutput::commit() {
  if (temporary_.empty()) return true;
  std::error_code error;
  if (existed_) fs::permissions(temporary_, fs::status(final_, error).permissions(), error);
  if (!rename_over(temporary_, final_)) return false;
  forget_removal(removal_slot_);
  removal_slot_ = -1;
  temporary_.clear();
  return true;
}

void StagedOutput::discard() {
  if (stream_.is_open()) stream_.close();
  if (temporary_.empty()) return;
  std::error_code error;
  fs::remove(temporary_, error);
  forget_removal(removal_slot_);
  removal_slot_ = -1;
  temporary_.clear();
}

void StagedOutput::create_target_if_missing() {
  if (temporary_.empty() || existed_) return;
  std::error_code error;
  if (fs::exists(final_, error)) return;
  std::ofstream created(final_, std::ios::binary | std::ios::app);
}

}  // namespace run
