#include "run/run_driver.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // The console records end with a line feed alone on Windows too: the two
  // standard streams write the program's bytes unchanged, not LF as CR LF.
  _setmode(_fileno(stderr), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return run::main_entry(argc, argv);
}
