# Installs the build into a scratch prefix and checks the layout the program relies on: the
# link in bin/ leads to the executable, whose own folder holds the two sounds, and the desktop
# entry, the metainfo and the icon are where desktops look for them.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DPROGRAM_DIR=... -DDATA_DIR=... [-DDEB=ON]
#         -P check_layout.cmake
# With DEB, the same layout is checked in the Debian package that `cpack -G DEB` makes,
# unpacked into PREFIX, and its dependencies must have been computed from the program.
file(REMOVE_RECURSE "${PREFIX}")
if(DEB)
  get_filename_component(cmake_bin "${CMAKE_COMMAND}" DIRECTORY)
  set(packages "${PREFIX}-packages")
  file(REMOVE_RECURSE "${packages}")
  execute_process(COMMAND "${cmake_bin}/cpack" -G DEB -B "${packages}"
                          --config "${BUILD_DIR}/CPackConfig.cmake"
                  OUTPUT_VARIABLE output ERROR_VARIABLE output RESULT_VARIABLE result)
  file(GLOB deb "${packages}/tolvos_*.deb")
  if(NOT result EQUAL 0 OR NOT deb)
    message(FATAL_ERROR "cpack -G DEB failed: ${result}\n${output}")
  endif()
  execute_process(COMMAND dpkg-deb -x "${deb}" "${PREFIX}" RESULT_VARIABLE result)
  execute_process(COMMAND dpkg-deb -f "${deb}" Depends OUTPUT_VARIABLE depends)
  file(REMOVE_RECURSE "${packages}")
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb -x ${deb} failed: ${result}")
  endif()
  # Libraries the program links, which no one listed by hand.
  foreach(library libqt6widgets6 libsdl2-mixer-2.0-0 libstdc\\+\\+6)
    if(NOT depends MATCHES "${library}")
      message(FATAL_ERROR "the package does not depend on ${library}: Depends: ${depends}")
    endif()
  endforeach()
  set(PREFIX "${PREFIX}/usr")
else()
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                  OUTPUT_QUIET RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
  endif()
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
if(DEB)
  get_filename_component(PREFIX "${PREFIX}" DIRECTORY)
endif()
file(REMOVE_RECURSE "${PREFIX}")
