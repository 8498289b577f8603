# The program where no window can be had: it must say so in one line and exit with status 1,
# not abort (and leave a core file) on Qt's fatal message.
#   cmake -DPROGRAM=<tolvos> -P no_display.cmake
set(cases
  "DISPLAY=:9999|QT_QPA_PLATFORM=xcb"  # a display nobody serves
  "--unset=DISPLAY|--unset=QT_QPA_PLATFORM"  # none named: Qt tries its default
  "DISPLAY=:9999|QT_QPA_PLATFORM=no-such-platform")
set(failures)
foreach(case ${cases})
  string(REPLACE "|" ";" environment "${case}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env --unset=WAYLAND_DISPLAY ${environment} ${PROGRAM}
    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors TIMEOUT 60)
  string(REGEX REPLACE "\n$" "" errors "${errors}")
  string(REGEX MATCHALL "\n" breaks "${errors}")
  if(NOT status STREQUAL "1" OR breaks OR errors STREQUAL "" OR NOT output STREQUAL "")
    list(APPEND failures "${case}: status ${status}, output \"${output}\", errors:\n${errors}")
  endif()
endforeach()
if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
