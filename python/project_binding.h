// The module's functions on site projects.
#pragma once

#include <pybind11/pybind11.h>

namespace settle_python {

void register_project_functions(pybind11::module_& m);

}  // namespace settle_python
