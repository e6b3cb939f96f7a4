# The download for Windows users: `cpack -G ZIP` in the cross build (see
# cmake/mingw-w64.cmake) makes settle-<version>-win64.zip, one folder holding
# settle.exe and settle-plot.exe (statically linked: no DLL to ship), the
# README, the docs and the sample problem:
#
#   settle-1.0.0-win64/settle.exe, settle-plot.exe, README.md
#   settle-1.0.0-win64/docs/*.md
#   settle-1.0.0-win64/examples/sample/names.dat, sample.dat
install(TARGETS settle settle-plot RUNTIME DESTINATION .)
install(FILES README.md DESTINATION .)
file(GLOB SETTLE_WINDOWS_DOCS CONFIGURE_DEPENDS docs/*.md docs/*.png)
install(FILES ${SETTLE_WINDOWS_DOCS} DESTINATION docs)
install(FILES examples/sample/names.dat examples/sample/sample.dat DESTINATION examples/sample)

set(CPACK_PACKAGE_NAME settle)
set(CPACK_PACKAGE_VENDOR settle)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Consolidation settlement of layered soil under loaded areas, for 64-bit Windows")
set(CPACK_PACKAGE_FILE_NAME settle-${PROJECT_VERSION}-win64)
set(CPACK_GENERATOR ZIP)
set(CPACK_STRIP_FILES ON)
include(CPack)
