// An interrupt of a run (SIGINT or SIGTERM; on Windows Ctrl-C, Ctrl-Break or
// the console closed): the run's temporary files are removed, no output is
// replaced, and the program ends with its own message and exit status.
#pragma once

#include <string>
#include <string_view>

namespace run {

// The exit status of a run ended by an interrupt: 128 and the signal's
// number on POSIX systems (130 for SIGINT, 143 for SIGTERM), 130 on Windows.
constexpr int kInterruptedStatus = 130;

// Thrown at a check point once an interrupt has come (Windows, where the
// interrupt is handled on a thread of its own); the files of the run are
// cleaned up as the stack unwinds.
struct Interrupted {};

// Installs the handlers for the run of `program`, whose message names it.
// On POSIX systems the handler itself removes the files kept for removal,
// writes the message and ends the process at once.
void watch_interrupts(std::string_view program);

// The message of an interrupt, without its line end.
std::string interrupted_message(std::string_view program);

// Keeps `path` (a temporary file) to be removed on an interrupt; returns the
// slot to give to forget_removal, or -1 when every slot is taken (the file
// is then removed only by the run's own cleanup).
int keep_for_removal(const std::string& path);
void forget_removal(int slot);

// From here on an interrupt no longer ends the run: its outputs are being put
// in place, which is left neither half done nor undone.
void finish_without_interrupts();

// Throws Interrupted when an interrupt has come and is to end the run here.
void stop_if_interrupted();

}  // namespace run
