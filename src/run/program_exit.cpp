// The end of a run.
#include "run/program_exit.h"

#include "layout/fatal_error.h"
#include "run/interrupt.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace run {

void keep_console_bytes() {
#ifdef _WIN32
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

int with_fatal_report(std::string_view program, std::ostream& console,
                      const std::function<int()>& body) {
  try {
    return body();
  } catch (const layout::FatalError& error) {
    console << error.report(program) << '\n';
    if (const std::string where = error.where(program); !where.empty()) console << where << '\n';
    if (!error.note().empty()) console << program << ": " << error.note() << '\n';
    return kFatalError;
  } catch (const Interrupted&) {
    // The files of the run went as the stack unwound.
    console << interrupted_message(program) << '\n';
    return kInterruptedStatus;
  }
}

}  // namespace run
