// The end of a run.
#include "run/program_exit.h"

#include "layout/fatal_error.h"

namespace run {

int with_fatal_report(std::string_view program, std::ostream& console,
                      const std::function<int()>& body) {
  try {
    return body();
  } catch (const layout::FatalError& error) {
    console << error.report(program) << '\n';
    if (const std::string where = error.where(program); !where.empty()) console << where << '\n';
    return kFatalError;
  }
}

}  // namespace run
