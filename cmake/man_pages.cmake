# The man pages settle(1) and settle-plot(1): written in scdoc's markup in
# man/*.scd, turned into man/*.1 in the build folder and compressed as Debian
# installs them (man/*.1.gz, to share/man/man1). A test renders each with man
# and fails on any warning.
include(GNUInstallDirs)

find_program(SETTLE_SCDOC scdoc)
if(NOT SETTLE_SCDOC)
  message(WARNING "scdoc not found (Debian: scdoc): the man pages are not built or installed")
  return()
endif()

set(SETTLE_MAN_DIR ${CMAKE_CURRENT_BINARY_DIR}/man)
set(SETTLE_MAN_PAGES)
foreach(page settle.1 settle-plot.1)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/man/${page}.scd)
  add_custom_command(
    OUTPUT ${SETTLE_MAN_DIR}/${page} ${SETTLE_MAN_DIR}/${page}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SETTLE_MAN_DIR}
    # gzip -n leaves out the name and time, so the same page gives the same bytes.
    COMMAND sh -c "\"$0\" < \"$1\" > \"$2\" && gzip -9nc \"$2\" > \"$2.gz\""
            ${SETTLE_SCDOC} ${source} ${SETTLE_MAN_DIR}/${page}
    DEPENDS ${source}
    COMMENT "Man page ${page}"
    VERBATIM)
  list(APPEND SETTLE_MAN_PAGES ${SETTLE_MAN_DIR}/${page})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${SETTLE_MAN_PAGES})

install(FILES ${SETTLE_MAN_DIR}/settle.1.gz ${SETTLE_MAN_DIR}/settle-plot.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

find_program(SETTLE_MAN man)
if(NOT SETTLE_MAN)
  message(STATUS "man not found (Debian: man-db): the man pages are built but not test-rendered")
  return()
endif()
foreach(page IN LISTS SETTLE_MAN_PAGES)
  get_filename_component(name ${page} NAME)
  add_test(NAME man_page_${name}
           COMMAND ${CMAKE_COMMAND} -DMAN=${SETTLE_MAN} -DPAGE=${page}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check_man_page.cmake)
endforeach()
