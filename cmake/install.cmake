# Installation under the prefix, laid out as for any Debian tool:
#   bin/settle, bin/settle-plot
#   share/doc/settle/   README.md, docs/, examples/sample/ and examples/site/ (with their
#                       reviewed outputs)
# The man pages go to share/man/man1 (cmake/man_pages.cmake).
include(GNUInstallDirs)

install(TARGETS settle settle-plot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs)
install(FILES examples/sample/names.dat examples/sample/sample.dat
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples/sample)
install(DIRECTORY examples/sample/expected/
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples/sample/expected)
install(FILES examples/site/site.toml DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples/site)
install(DIRECTORY examples/site/expected/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples/site/expected)

# ctest: install into a temporary prefix and run the sample with the
# installed settle (tools/check_install.sh).
add_test(NAME install_runs_sample
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_install.sh ${CMAKE_CURRENT_BINARY_DIR})
