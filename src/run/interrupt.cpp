// The interrupt handlers. A signal handler can only reach state that outlives
// every function, so the files to remove and the message are kept in fixed
// tables of this file, written before a handler may read them.
#include "run/interrupt.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstring>

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX  // the C++ library defines it too
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

namespace run {
namespace {

constexpr std::size_t kSlots = 8;
constexpr std::size_t kPathCapacity = 4096;

struct RemovalSlot {
  std::atomic<bool> used{false};
  std::array<char, kPathCapacity> path{};
};

// The handler's state: set by watch_interrupts and keep_for_removal, read by
// the handler. Nothing else of the program is global.
struct InterruptState {
  std::array<RemovalSlot, kSlots> slots;
  std::array<char, 512> message{};
  std::size_t message_length = 0;
  std::atomic<bool> interrupted{false};
  std::atomic<bool> finishing{false};
};

InterruptState& state() {
  static InterruptState instance;
  return instance;
}

#ifdef _WIN32

BOOL WINAPI on_console_event(DWORD event) {
  InterruptState& s = state();
  if (s.finishing.load()) return TRUE;
  s.interrupted.store(true);
  // Ctrl-C and Ctrl-Break let the run go on to its next check point; a
  // console being closed ends the process when this returns, so the run is
  // given the few seconds Windows allows to clean up first.
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) Sleep(4000);
  return TRUE;
}

#else

extern "C" void on_signal(int signal_number) {
  InterruptState& s = state();
  for (RemovalSlot& slot : s.slots) {
    if (slot.used.load(std::memory_order_acquire)) unlink(slot.path.data());
  }
  [[maybe_unused]] const ssize_t written = write(2, s.message.data(), s.message_length);
  _exit(128 + signal_number);
}

void set_signal_mask(int how) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  pthread_sigmask(how, &signals, nullptr);
}

#endif

}  // namespace

std::string interrupted_message(std::string_view program) {
  return std::string(program) +
         ": interrupted: no file was replaced, and the run's temporary files are removed";
}

void watch_interrupts(std::string_view program) {
  InterruptState& s = state();
  const std::string message = interrupted_message(program) + "\n";
  s.message_length = std::min(message.size(), s.message.size());
  std::memcpy(s.message.data(), message.data(), s.message_length);
#ifdef _WIN32
  SetConsoleCtrlHandler(on_console_event, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = on_signal;
  sigemptyset(&action.sa_mask);
  sigaddset(&action.sa_mask, SIGINT);
  sigaddset(&action.sa_mask, SIGTERM);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
#endif
}

int keep_for_removal(const std::string& path) {
  if (path.size() >= kPathCapacity) return -1;
  InterruptState& s = state();
  for (std::size_t k = 0; k < kSlots; ++k) {
    RemovalSlot& slot = s.slots[k];
    if (slot.used.load()) continue;
    std::memcpy(slot.path.data(), path.c_str(), path.size() + 1);
    slot.used.store(true, std::memory_order_release);
    return static_cast<int>(k);
  }
  return -1;
}

void forget_removal(int slot) {
  if (slot < 0 || slot >= static_cast<int>(kSlots)) return;
  state().slots[static_cast<std::size_t>(slot)].used.store(false, std::memory_order_release);
}

void finish_without_interrupts() {
  InterruptState& s = state();
  s.finishing.store(true);
#ifndef _WIN32
  // Blocked, a signal that comes now is never delivered: the process ends
  // normally once its outputs are in place.
  set_signal_mask(SIG_BLOCK);
#endif
  if (s.interrupted.load()) throw Interrupted{};
}

void stop_if_interrupted() {
  if (state().interrupted.load() && !state().finishing.load()) throw Interrupted{};
}

}  // namespace run
