// settle-plot: the result of a settle problem drawn as one HTML page.
#include "plot/plot_driver.h"
#include "run/program_exit.h"

int main(int argc, char** argv) {
  run::keep_console_bytes();
  return plot::main_entry(argc, argv);
}
