// settle-plot: the result of a settle problem drawn as one HTML page.
#include "plot/plot_driver.h"

int main(int argc, char** argv) { return plot::main_entry(argc, argv); }
