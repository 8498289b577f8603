# End-to-end tests: the real program on a private X display, driven through the accessibility
# bus as a screen reader drives it, its speech caught by a recording speech server. One ctest
# test per file tests/e2e/test_*.py; `ctest -L e2e` runs only these.
if(NOT TOLVOS_TESTS OR NOT TARGET tolvos OR WIN32)
  return()
endif()

# The accessibility client libraries come with the system's own interpreter, not with one
# that may come first on PATH.
set(TOLVOS_E2E_PYTHON /usr/bin/python3 CACHE FILEPATH
    "Python with the AT-SPI client (python3-pyatspi, python3-gi, gir1.2-atspi-2.0)")

file(GLOB e2e_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/test_*.py)
foreach(script ${e2e_tests})
  get_filename_component(name ${script} NAME_WE)
  string(REGEX REPLACE "^test_" "e2e_" name ${name})
  add_test(NAME ${name}
           COMMAND ${TOLVOS_E2E_PYTHON} ${script}
                   --game $<TARGET_FILE:tolvos>
                   --sounds ${CMAKE_BINARY_DIR}
                   --speech-server ${CMAKE_CURRENT_SOURCE_DIR}/tests/support/speech_server.sh)
  set_tests_properties(${name} PROPERTIES LABELS e2e TIMEOUT 900
                       ENVIRONMENT PYTHONDONTWRITEBYTECODE=1)
endforeach()
