# What the Windows program needs of its system below the window: files, folders and the clock,
# the screen readers' speech and the two sound players, with their tests under Wine.
if(NOT WIN32)
  return()
endif()

file(GLOB windows_platform_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/windows/*.cpp)
add_library(windows_platform STATIC ${windows_platform_sources})
# Unicode Win32 names by default, none of the min/max macros, and nothing newer than Windows 7.
target_compile_definitions(windows_platform PRIVATE UNICODE _UNICODE NOMINMAX
                           WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
target_link_libraries(windows_platform PUBLIC platform PRIVATE winmm shell32 ole32 uuid)

if(NOT TOLVOS_TESTS)
  return()
endif()

# Stand-ins for the screen readers' libraries, which write down what they are asked to say
# (see their sources): jfwapi.dll and nvdaControllerClient64.dll, in the build folder.
foreach(standin jfwapi_standin nvda_standin)
  add_library(${standin} SHARED tests/platform/windows/standins/${standin}.cpp)
  set_target_properties(${standin} PROPERTIES PREFIX "")
endforeach()
set_target_properties(jfwapi_standin PROPERTIES OUTPUT_NAME jfwapi)
set_target_properties(nvda_standin PROPERTIES OUTPUT_NAME nvdaControllerClient64)
