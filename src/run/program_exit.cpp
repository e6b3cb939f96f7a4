// The end of a run.
#include "run/program_exit.h"

#include "layout/fatal_error.h"

namespace run {

int with_fatal_report(std::ostream& console, const std::function<int()>& body) {
  try {
    return body();
  } catch (const layout::FatalError& error) {
    console << error.report() << '\n';
    return kFatalError;
  }
}

}  // namespace run
