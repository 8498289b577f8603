# Packages, through CPack, of what `cmake --install` installs: on Windows an installer (NSIS)
# and a zip of the program's folder; on Linux a Debian package, whose dependencies on
# libraries dpkg-shlibdeps computes from the program itself. `cpack` in the build folder makes
# them in packages/ (scripts/build-windows.sh and scripts/build-deb.sh do it all).
if(WIN32 AND TARGET tolvos)
  # The program and its two sounds, alone in the folder of the installation.
  install(TARGETS tolvos RUNTIME DESTINATION ${TOLVOS_INSTALL_DIR})
endif()

set(CPACK_PACKAGE_NAME tolvos)
set(CPACK_PACKAGE_VENDOR Tolvos)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Clear a grid of coloured blocks by groups, by ear through a screen reader or with the mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "A puzzle of 150 blocks in five colours. A first click on a block marks it together with \
every block of its colour joined to it; a second click removes the group, the blocks above \
fall into the gaps and empty columns close up. Every block is a button that carries the vowel \
of its colour, so the game can be played by ear through a screen reader as well as with the \
mouse. Spanish and English.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR NSIS ZIP)
  set(CPACK_SYSTEM_NAME win64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Tolvos)
  set(CPACK_NSIS_PACKAGE_NAME Tolvos)
  set(CPACK_NSIS_DISPLAY_NAME Tolvos)
  # A 64-bit installer, like the program: it installs into the 64-bit Program Files, and runs
  # where 32-bit programs do not (such as a 64-bit-only Wine).
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  # A Start menu entry for the program, and the uninstaller's icon.
  set(CPACK_PACKAGE_EXECUTABLES tolvos Tolvos)
  set(CPACK_NSIS_INSTALLED_ICON_NAME tolvos.exe)
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN tolvos.exe)
  # The zip unpacks into a folder named after the package; the player may put it anywhere.
  set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tolvos_<version>_<architecture>.deb
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tolvos maintainers <maintainers@tolvos.invalid>")
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # What the program loads at run time rather than links, which dpkg-shlibdeps cannot see:
  # Qt's platform plugins (no window without them); the desktop's speech server and Qt's
  # Spanish texts for the boxes' buttons, without which the game plays on, silent or in
  # English.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "speech-dispatcher, qt6-translations-l10n")
endif()
include(CPack)

if(NOT TOLVOS_TESTS OR NOT TARGET tolvos)
  return()
endif()
if(WIN32)
  # The installer installs the program and its sounds under Wine, and its uninstaller removes
  # them; the zip holds them and nothing else.
  add_test(NAME windows_packages
           COMMAND sh ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/check_windows_packages.sh
                   ${CMAKE_BINARY_DIR} ${CMAKE_CROSSCOMPILING_EMULATOR})
  set_tests_properties(windows_packages PROPERTIES TIMEOUT 300)
else()
  # The Debian package has the layout of `cmake --install`, and dependencies computed.
  find_program(DPKG_SHLIBDEPS dpkg-shlibdeps REQUIRED)
  add_test(NAME deb_package
           COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DDEB=ON
                   -DPREFIX=${CMAKE_BINARY_DIR}/deb-check
                   -DPROGRAM_DIR=${TOLVOS_INSTALL_DIR} -DDATA_DIR=${CMAKE_INSTALL_DATADIR}
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/check_layout.cmake)
endif()
