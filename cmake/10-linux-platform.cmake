# Speech and sound on Linux: the desktop's speech server and the two sound players on
# SDL_mixer, with their tests; and the generator of the two sounds, which every system's
# program ships beside it.

# The two sounds are made by the build and sit beside the program. The generator runs on the
# build machine: a cross build makes it with the build machine's own compiler.
set(game_sounds ${CMAKE_BINARY_DIR}/snd.wav ${CMAKE_BINARY_DIR}/snd2.wav)
if(CMAKE_CROSSCOMPILING)
  find_program(TOLVOS_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(make_sounds ${CMAKE_BINARY_DIR}/host/make_sounds)
  add_custom_command(OUTPUT ${make_sounds}
                     COMMAND ${TOLVOS_HOST_CXX} -std=c++20 -O2 -o ${make_sounds}
                             ${CMAKE_CURRENT_SOURCE_DIR}/tools/make_sounds.cpp
                     DEPENDS tools/make_sounds.cpp tools/wav_writer.h
                     COMMENT "Compiling the sound generator for the build machine"
                     VERBATIM)
else()
  add_executable(make_sounds tools/make_sounds.cpp)
  set(make_sounds make_sounds)
endif()
add_custom_command(OUTPUT ${game_sounds}
                   COMMAND ${make_sounds} ${CMAKE_BINARY_DIR}
                   DEPENDS ${make_sounds}
                   COMMENT "Making snd.wav and snd2.wav")
add_custom_target(sounds ALL DEPENDS ${game_sounds})
install(FILES ${game_sounds} DESTINATION ${TOLVOS_INSTALL_DIR})

if(WIN32)
  return()
endif()

find_package(Threads REQUIRED)
find_package(SDL2 REQUIRED)
find_package(SDL2_mixer REQUIRED)

file(GLOB linux_platform_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/src/platform/linux/*.cpp)
add_library(linux_platform STATIC ${linux_platform_sources})
target_link_libraries(linux_platform PUBLIC platform
                      PRIVATE SDL2::SDL2 SDL2_mixer::SDL2_mixer Threads::Threads)

if(TOLVOS_TESTS)
  # Each test program runs on its own: they start servers and open audio devices.
  set(speech_test_support ${CMAKE_CURRENT_SOURCE_DIR}/tests/support)
  foreach(test_source platform/linux/speech_test platform/linux/sound_test
                      platform/linux/linux_host_test tools/game_sounds_test)
    get_filename_component(name ${test_source} NAME)
    add_executable(${name} tests/${test_source}.cpp)
    target_include_directories(${name} PRIVATE tests ${CMAKE_CURRENT_SOURCE_DIR}/tools)
    target_link_libraries(${name} PRIVATE linux_platform GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  endforeach()
  target_compile_definitions(speech_test PRIVATE
    SPEECH_SERVER_SCRIPT="${speech_test_support}/speech_server.sh")
  # The player's data folder the host makes lies in the build folder.
  set_tests_properties(linux_host_test PROPERTIES
                       ENVIRONMENT XDG_DATA_HOME=${CMAKE_BINARY_DIR}/test-data-home)
  # Two games saving best scores at once, each in a process of its own.
  target_link_libraries(linux_host_test PRIVATE scores)
  target_link_libraries(sound_test PRIVATE SDL2::SDL2 SDL2_mixer::SDL2_mixer)
  add_dependencies(sound_test sounds)
  add_dependencies(game_sounds_test sounds)
  target_compile_definitions(sound_test PRIVATE GAME_SOUNDS_DIR="${CMAKE_BINARY_DIR}")
  target_compile_definitions(game_sounds_test PRIVATE GAME_SOUNDS_DIR="${CMAKE_BINARY_DIR}"
                             MAKE_SOUNDS="$<TARGET_FILE:make_sounds>")
endif()
