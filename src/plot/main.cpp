// settle-plot: the result of a settle problem drawn as one HTML page.
#include "plot/plot_driver.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The console records end with a line feed alone on Windows too, as settle's.
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return plot::main_entry(argc, argv);
}
