# cmake -DMAN=man -DPAGE=FILE.1 -P check_man_page.cmake
# Renders the man page as a terminal 80 columns wide would show it, with every
# warning of groff on (w; groff's "all" leaves out undefined macros); fails on
# any message and on a missing section.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env MANWIDTH=80 LC_ALL=C.UTF-8
          ${MAN} --warnings=w -l -Tutf8 ${PAGE}
  OUTPUT_VARIABLE rendered
  ERROR_VARIABLE messages
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "man -l ${PAGE} failed (${status}):\n${messages}")
endif()
if(NOT messages STREQUAL "")
  message(FATAL_ERROR "man -l ${PAGE} warned:\n${messages}")
endif()
# -Tutf8 marks bold and underline by overstriking, a character and a
# backspace before the one shown: take them out before looking.
string(ASCII 8 backspace)
string(REGEX REPLACE "[^\n]${backspace}" "" plain "${rendered}")
foreach(section NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES "SEE ALSO")
  if(NOT plain MATCHES "\n${section}\n")
    message(FATAL_ERROR "${PAGE} has no section ${section}")
  endif()
endforeach()
message(STATUS "${PAGE}: rendered without warnings")
