# Tests of the Windows front end, run under Wine on a private X display with a prefix of their
# own: the window tests, and the end-to-end driver that plays the real tolvos.exe.
if(NOT WIN32 OR NOT TOLVOS_TESTS OR NOT TARGET win32_frontend OR NOT TARGET GTest::gtest)
  return()
endif()

set(wine_desktop ${CMAKE_BINARY_DIR}/wine-desktop)
set(wine_desktop_script ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/wine_desktop.sh)
add_test(NAME wine_desktop_up COMMAND sh ${wine_desktop_script} up ${wine_desktop})
add_test(NAME wine_desktop_down COMMAND sh ${wine_desktop_script} down ${wine_desktop})
set_tests_properties(wine_desktop_up PROPERTIES FIXTURES_SETUP wine_desktop TIMEOUT 120)
set_tests_properties(wine_desktop_down PROPERTIES FIXTURES_CLEANUP wine_desktop)
# Runs a Windows program of the build on the private display.
set(on_wine_desktop sh ${wine_desktop_script} run ${wine_desktop} ${CMAKE_CROSSCOMPILING_EMULATOR})

# The program runs from its folder alone: no DLL of the compiler's, nor of ours, beside it.
find_program(TOLVOS_OBJDUMP NAMES ${TOLVOS_MINGW_TRIPLE}-objdump x86_64-w64-mingw32-objdump)
if(TARGET tolvos AND TOLVOS_OBJDUMP)
  add_test(NAME win32_program_imports
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TOLVOS_OBJDUMP} -DPROGRAM=$<TARGET_FILE:tolvos>
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/check_imports.cmake)
endif()

file(GLOB win32_window_test_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/tests/frontend/win32/*_test.cpp)
add_executable(win32_window_tests ${win32_window_test_sources} ${TOLVOS_NAME_BOX_RC})
target_include_directories(win32_window_tests PRIVATE tests)
target_link_libraries(win32_window_tests PRIVATE win32_frontend GTest::gtest GTest::gtest_main)
target_link_options(win32_window_tests PRIVATE -static)
add_test(NAME win32_window_tests
         COMMAND ${on_wine_desktop} $<TARGET_FILE:win32_window_tests> --gtest_brief=1)
set_tests_properties(win32_window_tests PROPERTIES FIXTURES_REQUIRED wine_desktop TIMEOUT 300)

# The real program in a fresh folder with its sounds and the stand-in screen reader libraries,
# played to the name box.
if(TARGET tolvos AND TARGET jfwapi_standin AND TARGET nvda_standin)
  add_executable(tolvos_driver tests/e2e/win32/tolvos_driver.cpp)
  target_compile_definitions(tolvos_driver PRIVATE UNICODE _UNICODE NOMINMAX _WIN32_WINNT=0x0A00)
  target_link_options(tolvos_driver PRIVATE -municode -static)
  target_link_libraries(tolvos_driver PRIVATE oleacc ole32 oleaut32 uuid shell32)
  add_dependencies(tolvos_driver tolvos jfwapi_standin nvda_standin sounds)
  set(driver_arguments --game $<TARGET_FILE:tolvos> --sounds ${CMAKE_BINARY_DIR}
      --jaws $<TARGET_FILE:jfwapi_standin> --nvda $<TARGET_FILE:nvda_standin>
      --work ${CMAKE_BINARY_DIR}/e2e-win32)
  add_test(NAME e2e_win32
           COMMAND ${on_wine_desktop} $<TARGET_FILE:tolvos_driver> ${driver_arguments})
  set_tests_properties(e2e_win32 PROPERTIES FIXTURES_REQUIRED wine_desktop TIMEOUT 600
                       LABELS e2e)
endif()
