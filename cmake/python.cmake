# The Python module `settle` (-DSETTLE_PYTHON=ON): the package python/settle
# over the C++ extension settle._settle, built with pybind11 against the
# system's Python 3 (Debian: python3-dev python3-pybind11 pybind11-dev; NumPy
# at run time, python3-numpy; the tests use python3-pytest).
# ON builds it and fails without its packages; AUTO (the default) builds it
# where they are installed, as the README's install line leaves them, so that
# the README's test command runs its tests too; OFF leaves it out.
set(SETTLE_PYTHON AUTO CACHE STRING "Build the Python module settle (pybind11): ON, OFF or AUTO")
set_property(CACHE SETTLE_PYTHON PROPERTY STRINGS ON OFF AUTO)
if(NOT SETTLE_PYTHON OR CMAKE_CROSSCOMPILING OR SETTLE_FUZZ)
  return()
endif()

# Debian's Python packages serve /usr/bin/python3; a pyenv or virtual
# environment first on PATH would lack them.
if(NOT DEFINED Python3_EXECUTABLE AND EXISTS /usr/bin/python3)
  set(Python3_EXECUTABLE /usr/bin/python3)
endif()
if(SETTLE_PYTHON STREQUAL "AUTO")
  find_package(Python3 3.8 QUIET COMPONENTS Interpreter Development.Module)
  if(Python3_FOUND)
    set(PYBIND11_FINDPYTHON ON)
    find_package(pybind11 2.6 CONFIG QUIET)
    execute_process(COMMAND ${Python3_EXECUTABLE} -c "import numpy" RESULT_VARIABLE numpy_missing
                    OUTPUT_QUIET ERROR_QUIET)
  endif()
  if(NOT Python3_FOUND OR NOT pybind11_FOUND OR numpy_missing)
    message(STATUS "Python 3, pybind11 or NumPy not found (Debian: python3-dev python3-pybind11 "
                   "pybind11-dev python3-numpy): the Python module is not built")
    return()
  endif()
else()
  find_package(Python3 3.8 REQUIRED COMPONENTS Interpreter Development.Module)
  set(PYBIND11_FINDPYTHON ON)
  find_package(pybind11 2.6 CONFIG REQUIRED)
endif()

# The extension links the program's library into a shared object.
set_property(TARGET settle_lib PROPERTY POSITION_INDEPENDENT_CODE ON)

# The package in the build tree, importable with PYTHONPATH=<build>/python.
set(SETTLE_PYTHON_PACKAGE_DIR ${CMAKE_BINARY_DIR}/python/settle)
pybind11_add_module(settle_python MODULE NO_EXTRAS python/settle_module.cpp python/raw_problem.cpp
                    python/project_binding.cpp)
set_target_properties(settle_python PROPERTIES OUTPUT_NAME _settle
                      LIBRARY_OUTPUT_DIRECTORY ${SETTLE_PYTHON_PACKAGE_DIR})
target_link_libraries(settle_python PRIVATE settle_lib)
file(GLOB SETTLE_PYTHON_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/python/settle/*.py
     ${CMAKE_SOURCE_DIR}/python/settle/*.pyi ${CMAKE_SOURCE_DIR}/python/settle/py.typed)
foreach(file IN LISTS SETTLE_PYTHON_FILES)
  get_filename_component(name ${file} NAME)
  configure_file(${file} ${SETTLE_PYTHON_PACKAGE_DIR}/${name} COPYONLY)
endforeach()

# Installed where the system's Python finds it: Debian's own folder under
# /usr (the package's prefix), else the interpreter's site folder under the
# prefix (/usr/local/lib/python3.X/dist-packages on Debian).
if(NOT DEFINED SETTLE_PYTHON_INSTALL_DIR)
  if(CMAKE_INSTALL_PREFIX STREQUAL "/usr" AND Python3_SITEARCH MATCHES "dist-packages")
    set(SETTLE_PYTHON_INSTALL_DIR lib/python3/dist-packages)
  else()
    cmake_path(GET Python3_SITEARCH FILENAME site_folder)
    set(SETTLE_PYTHON_INSTALL_DIR
        lib/python${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}/${site_folder})
  endif()
endif()
set(SETTLE_PYTHON_INSTALL_DIR ${SETTLE_PYTHON_INSTALL_DIR} CACHE STRING
    "Folder, under the install prefix, that receives the settle package")
install(TARGETS settle_python LIBRARY DESTINATION ${SETTLE_PYTHON_INSTALL_DIR}/settle
        COMPONENT python)
install(FILES ${SETTLE_PYTHON_FILES} DESTINATION ${SETTLE_PYTHON_INSTALL_DIR}/settle
        COMPONENT python)

# The Python tests: one pytest run per file, against the package in the build
# tree and the programs built beside it.
set(SETTLE_PYTHON_TEST_ENVIRONMENT
    "PYTHONPATH=${CMAKE_BINARY_DIR}/python" PYTHONDONTWRITEBYTECODE=1
    "SETTLE_EXE=$<TARGET_FILE:settle>" "SETTLE_BUILD_DIR=${CMAKE_BINARY_DIR}")
if(SETTLE_SANITIZE)
  # An interpreter built without the sanitizers loads a module built with
  # them only when their runtimes come first; Python's own allocations at
  # exit are not leaks of the module's.
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
                  OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libubsan.so
                  OUTPUT_VARIABLE ubsan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${asan_runtime}" OR NOT IS_ABSOLUTE "${ubsan_runtime}")
    message(STATUS "Sanitizer runtimes not found: the Python tests are not run in this build")
    return()
  endif()
  list(APPEND SETTLE_PYTHON_TEST_ENVIRONMENT "LD_PRELOAD=${asan_runtime} ${ubsan_runtime}"
       ASAN_OPTIONS=detect_leaks=0)
endif()
file(GLOB SETTLE_PYTHON_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/python/test_*.py)
foreach(test_file IN LISTS SETTLE_PYTHON_TESTS)
  get_filename_component(test_name ${test_file} NAME_WE)
  add_test(NAME python.${test_name}
           COMMAND ${Python3_EXECUTABLE} -m pytest -q -p no:cacheprovider ${test_file}
           WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
  set_tests_properties(python.${test_name} PROPERTIES
                       ENVIRONMENT "${SETTLE_PYTHON_TEST_ENVIRONMENT}")
endforeach()
