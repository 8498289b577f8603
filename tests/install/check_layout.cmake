# Installs the build into a scratch prefix and checks the layout the program relies on: the
# link in bin/ leads to the executable, whose own folder holds the two sounds, and the desktop
# entry, the metainfo and the icon are where desktops look for them.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM_DIR=... -DDATA_DIR=... -P check_layout.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(link "${PREFIX}/bin/tolvos")
if(NOT IS_SYMLINK "${link}")
  message(FATAL_ERROR "${link} is not a link")
endif()
file(READ_SYMLINK "${link}" target)
if(IS_ABSOLUTE "${target}")
  message(FATAL_ERROR "${link} points to ${target}: an absolute link breaks a staged install")
endif()
file(REAL_PATH "${link}" program)
file(REAL_PATH "${PREFIX}/${PROGRAM_DIR}" expected)
set(expected "${expected}/tolvos")
if(NOT program STREQUAL expected)
  message(FATAL_ERROR "${link} leads to ${program}, not to ${expected}")
endif()

get_filename_component(program_folder "${program}" DIRECTORY)
foreach(file ${program_folder}/snd.wav ${program_folder}/snd2.wav
        ${PREFIX}/${DATA_DIR}/applications/org.tolvos.Tolvos.desktop
        ${PREFIX}/${DATA_DIR}/metainfo/org.tolvos.Tolvos.metainfo.xml
        ${PREFIX}/${DATA_DIR}/icons/hicolor/scalable/apps/org.tolvos.Tolvos.svg)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "missing after install: ${file}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
