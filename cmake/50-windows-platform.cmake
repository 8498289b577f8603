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
target_link_libraries(windows_platform PUBLIC platform PRIVATE winmm shell32 ole32 oleaut32 uuid)

if(NOT TOLVOS_TESTS)
  return()
endif()

# Stand-ins for the screen readers' libraries, which write down what they are asked to say
# (see their sources): jfwapi.dll, nvdaControllerClient64.dll and the COM server jawsapi.dll,
# which the tests register themselves, in the build folder.
foreach(standin jfwapi_standin nvda_standin jawsapi_standin)
  add_library(${standin} SHARED tests/platform/windows/standins/${standin}.cpp)
  set_target_properties(${standin} PROPERTIES PREFIX "")
endforeach()
set_target_properties(jfwapi_standin PROPERTIES OUTPUT_NAME jfwapi)
set_target_properties(nvda_standin PROPERTIES OUTPUT_NAME nvdaControllerClient64)
set_target_properties(jawsapi_standin PROPERTIES OUTPUT_NAME jawsapi)
target_link_libraries(jawsapi_standin PRIVATE oleaut32 uuid)

# The adapters' tests, on the real system calls under Wine, beside the stand-ins.
file(GLOB windows_platform_test_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/tests/platform/windows/*_test.cpp)
add_executable(windows_platform_tests ${windows_platform_test_sources})
target_include_directories(windows_platform_tests PRIVATE tests)
# With the best-score table, for two games that save at once.
target_link_libraries(windows_platform_tests PRIVATE windows_platform scores GTest::gtest
                      GTest::gtest_main)
add_dependencies(windows_platform_tests jfwapi_standin nvda_standin jawsapi_standin sounds)
add_test(NAME windows_platform_tests COMMAND windows_platform_tests --gtest_brief=1)
# A call that waits for a hung screen reader would never return: a short limit tells at once.
# The players get a silent audio device: ALSA's null output, the default of a home of its own.
set(null_audio_home ${CMAKE_BINARY_DIR}/null-audio-home)
file(WRITE ${null_audio_home}/.asoundrc "pcm.!default { type null }\n")
set_tests_properties(windows_platform_tests PROPERTIES TIMEOUT 120
                     ENVIRONMENT HOME=${null_audio_home})

# Saves on a full disk.
add_test(NAME windows_full_disk
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/platform/windows/full_disk.sh
                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:windows_platform_tests>
                 --gtest_filter=*FullDisk* --gtest_brief=1)
# Saves through Unix links, to a file, a device and a folder.
add_test(NAME windows_unix_links
         COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/platform/windows/unix_links.sh
                 ${CMAKE_BINARY_DIR}/unix_links
                 ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:windows_platform_tests>
                 --gtest_filter=*Link* --gtest_brief=1)
