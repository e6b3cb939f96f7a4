# The Debian package, made by `cpack -G DEB` in the build folder: what
# `cmake --install` lays out (cmake/install.cmake), under /usr. The
# dependencies are read off the shared libraries the programs link
# (dpkg-shlibdeps, from Debian's dpkg-dev).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME settle)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Seed 77128440 maintainers")
set(CPACK_PACKAGE_CONTACT
    "Seed 77128440 maintainers <maintainers@users.noreply.c-seed-77128440.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "consolidation settlement of layered soil under loaded areas")
# The extended description; the summary above is its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "settle is a batch program for geotechnical engineers. It computes the
consolidation settlement of a layered soil under uniformly loaded foundation
areas (rectangles, possibly rotated, circles, and areas whose load spreads
at 2:1) at a set of settlement points: Boussinesq's stress increase averaged
over sublayers 0.5 units thick, turned into strain through compressibility
curves given by points or by a slope. It reads a problem file named in
names.dat and writes a paginated fixed-column report, an auxiliary data file
and a trace file, in U.S. or S.I. units.
.
settle-plot draws the result of a problem as one self-contained HTML page:
the plan with the settlement basin, depth profiles and tables.
.
The documentation includes the method with a hand calculation of the sample
problem and a verification of the stresses against independent solutions.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The installed programs carry no debugging symbols, as in any Debian package.
set(CPACK_STRIP_FILES ON)
# With the Python module in the package, the Python it was built for and NumPy
# are recommended: the programs themselves need neither.
if(TARGET settle_python)
  math(EXPR next_minor "${Python3_VERSION_MINOR} + 1")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
      "python3 (>= ${Python3_VERSION_MAJOR}.${Python3_VERSION_MINOR}~), python3 (<< ${Python3_VERSION_MAJOR}.${next_minor}), python3-numpy")
endif()
include(CPack)
