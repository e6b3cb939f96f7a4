# The stress computation checked against independent solutions
# (docs/verification.md): a reference library that integrates Boussinesq's
# point load with Boost.Math's quadrature, the tool that prints the tables,
# and the test that holds the program to them.

# The tests have a binary of their own: keep them out of settle_tests, which
# the glob over tests/ would otherwise give them. The second holds the exact
# method's load kinds to the same references.
set(SETTLE_VERIFICATION_TEST
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/analysis/stress_verification_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/tests/loads/load_verification_test.cpp)
get_target_property(settle_test_sources settle_tests SOURCES)
list(REMOVE_ITEM settle_test_sources ${SETTLE_VERIFICATION_TEST})
set_property(TARGET settle_tests PROPERTY SOURCES ${settle_test_sources})

add_library(settle_verification STATIC
  tools/verification/boussinesq_reference.cpp
  tools/verification/program_stress.cpp
  tools/verification/stress_comparisons.cpp)
target_include_directories(settle_verification PUBLIC tools)
target_link_libraries(settle_verification PUBLIC settle_lib)

# build/verify_stresses prints the tables of docs/verification.md.
add_executable(verify_stresses tools/verify_stresses.cpp)
target_link_libraries(verify_stresses PRIVATE settle_verification)

add_executable(settle_verification_tests ${SETTLE_VERIFICATION_TEST})
target_link_libraries(settle_verification_tests PRIVATE
  settle_verification GTest::gtest GTest::gtest_main)
gtest_discover_tests(settle_verification_tests ${SETTLE_TEST_DISCOVERY})
