# Speech and sound: the speech server's client (or the screen reader's library on Windows), the
# two sound players on SDL_mixer, the generator of the two sounds, and their tests.

include(GNUInstallDirs)
set(TOLVOS_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/tolvos" CACHE STRING
    "Folder, under the install prefix, of the program and the files beside it")

find_package(Threads REQUIRED)
find_package(SDL2 REQUIRED)
find_package(SDL2_mixer REQUIRED)

file(GLOB speech_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/speech/*.cpp)
if(WIN32)
  list(FILTER speech_sources EXCLUDE REGEX "speechd_")
  list(APPEND speech_sources ${CMAKE_CURRENT_SOURCE_DIR}/src/speech/win/jfw_speech.cpp)
endif()
add_library(speech_backends STATIC ${speech_sources})
target_link_libraries(speech_backends PUBLIC ports
                      PRIVATE SDL2::SDL2 SDL2_mixer::SDL2_mixer Threads::Threads)
if(NOT WIN32)
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(SPEECHD REQUIRED IMPORTED_TARGET speech-dispatcher)
  target_link_libraries(speech_backends PRIVATE PkgConfig::SPEECHD)
endif()

# The two sounds are made by the build and sit beside the program.
add_executable(make_sounds tools/make_sounds.cpp)
set(game_sounds ${CMAKE_BINARY_DIR}/snd.wav ${CMAKE_BINARY_DIR}/snd2.wav)
add_custom_command(OUTPUT ${game_sounds}
                   COMMAND make_sounds ${CMAKE_BINARY_DIR}
                   DEPENDS make_sounds
                   COMMENT "Making snd.wav and snd2.wav")
add_custom_target(sounds ALL DEPENDS ${game_sounds})
install(FILES ${game_sounds} DESTINATION ${TOLVOS_INSTALL_DIR})
