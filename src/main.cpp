// settle: the consolidation settlement of a layered soil under loaded areas.
#include "run/program_exit.h"
#include "run/run_driver.h"

int main(int argc, char** argv) {
  run::keep_console_bytes();
  return run::main_entry(argc, argv);
}
