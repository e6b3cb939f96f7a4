# settle_header_libraries: the header-only libraries of Debian's packages that
# the program builds on (libboost-dev, libtomlplusplus-dev, nlohmann-json3-dev,
# libvalijson-dev). Debian ships them for the host; they serve any target, so
# a cross build sees the same headers through a folder of symbolic links of
# its own instead of the whole of /usr/include.
add_library(settle_header_libraries INTERFACE)
set(SETTLE_HEADER_ROOT /usr/include CACHE PATH "Folder holding the header-only libraries")
set(settle_header_folders boost toml++ nlohmann valijson)
foreach(folder IN LISTS settle_header_folders)
  if(NOT EXISTS ${SETTLE_HEADER_ROOT}/${folder})
    message(FATAL_ERROR "${SETTLE_HEADER_ROOT}/${folder} not found: install the README's packages "
                        "(libboost-dev libtomlplusplus-dev nlohmann-json3-dev libvalijson-dev)")
  endif()
endforeach()
if(CMAKE_CROSSCOMPILING)
  set(settle_header_links ${CMAKE_BINARY_DIR}/header-libraries)
  file(MAKE_DIRECTORY ${settle_header_links})
  foreach(folder IN LISTS settle_header_folders)
    if(NOT EXISTS ${settle_header_links}/${folder})
      file(CREATE_LINK ${SETTLE_HEADER_ROOT}/${folder} ${settle_header_links}/${folder} SYMBOLIC)
    endif()
  endforeach()
  target_include_directories(settle_header_libraries SYSTEM INTERFACE ${settle_header_links})
else()
  find_package(Boost 1.74 REQUIRED)
  target_link_libraries(settle_header_libraries INTERFACE Boost::headers)
endif()
# toml++ compiles its parser into the one translation unit that asks for it
# (project/toml_form.cpp); everywhere else it is declarations only.
target_compile_definitions(settle_header_libraries INTERFACE TOML_HEADER_ONLY=0 TOML_EXCEPTIONS=0)
