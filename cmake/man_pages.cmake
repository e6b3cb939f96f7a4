# The man pages settle(1) and settle-plot(1): written in scdoc's markup in
# man/*.scd, turned into man/*.1 in the build folder and compressed as Debian
# installs them (to share/man/man1). A test renders each with man
# and fails on any warning.
include(GNUInstallDirs)

find_program(SETTLE_SCDOC scdoc)
if(NOT SETTLE_SCDOC)
  message(WARNING "scdoc not found (Debian: scdoc): the man pages are not built or installed")
  return()
endif()

# The pages name the installed documentation: the build's pages the folder of
# the configured prefix, the installed ones that of the prefix installed to
# (cmake --install --prefix, or /usr in the Debian package), filled in when
# they are installed.
set(SETTLE_MAN_DIR ${CMAKE_CURRENT_BINARY_DIR}/man)
set(SETTLE_MAN_PAGES)
foreach(page settle.1 settle-plot.1)
  set(source ${CMAKE_CURRENT_SOURCE_DIR}/man/${page}.scd)
  add_custom_command(
    OUTPUT ${SETTLE_MAN_DIR}/${page} ${SETTLE_MAN_DIR}/${page}.template
    COMMAND ${CMAKE_COMMAND} -E make_directory ${SETTLE_MAN_DIR}
    COMMAND sh -c "\"$0\" < \"$1\" > \"$2.template\" && sed \"s|@SETTLE_DOCDIR@|$3|g\" \"$2.template\" > \"$2\""
            ${SETTLE_SCDOC} ${source} ${SETTLE_MAN_DIR}/${page} ${CMAKE_INSTALL_FULL_DOCDIR}
    DEPENDS ${source}
    COMMENT "Man page ${page}"
    VERBATIM)
  list(APPEND SETTLE_MAN_PAGES ${SETTLE_MAN_DIR}/${page})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${SETTLE_MAN_PAGES})

# gzip -n leaves out the name and time, so the same page gives the same bytes.
install(CODE "
  set(settle_docdir \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
  file(MAKE_DIRECTORY \"${SETTLE_MAN_DIR}/installed\")
  foreach(page settle.1 settle-plot.1)
    file(READ \"${SETTLE_MAN_DIR}/\${page}.template\" text)
    string(REPLACE \"@SETTLE_DOCDIR@\" \"\${settle_docdir}\" text \"\${text}\")
    file(WRITE \"${SETTLE_MAN_DIR}/installed/\${page}\" \"\${text}\")
    execute_process(COMMAND gzip -9nc \"${SETTLE_MAN_DIR}/installed/\${page}\"
                    OUTPUT_FILE \"${SETTLE_MAN_DIR}/installed/\${page}.gz\")
  endforeach()
")
install(FILES ${SETTLE_MAN_DIR}/installed/settle.1.gz ${SETTLE_MAN_DIR}/installed/settle-plot.1.gz
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
