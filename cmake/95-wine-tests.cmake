# In a cross build for Windows, every test runs under Wine (the toolchain's emulator) in one
# prefix of its own in the build folder, made fresh for each test run and ended after it.
# Read last, so that it covers the tests of every part.
if(NOT TOLVOS_TESTS OR NOT CMAKE_CROSSCOMPILING OR NOT WIN32)
  return()
endif()

set(TOLVOS_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
set(wine_prefix_script ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/wine_prefix.sh)
get_property(wine_tests DIRECTORY PROPERTY TESTS)
add_test(NAME wine_prefix_up COMMAND sh ${wine_prefix_script} up ${TOLVOS_WINEPREFIX})
add_test(NAME wine_prefix_down COMMAND sh ${wine_prefix_script} down ${TOLVOS_WINEPREFIX})
set_tests_properties(wine_prefix_up PROPERTIES FIXTURES_SETUP wine TIMEOUT 120)
set_tests_properties(wine_prefix_down PROPERTIES FIXTURES_CLEANUP wine)
foreach(test ${wine_tests})
  set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wine)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT WINEPREFIX=${TOLVOS_WINEPREFIX})
endforeach()
