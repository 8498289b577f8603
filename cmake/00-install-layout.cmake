# Where `cmake --install` puts things. The program finds its sounds in its own folder, so the
# executable and the sounds share one private folder; on Linux bin/ holds a link to the
# executable, on Windows the folder is the installation itself.
include(GNUInstallDirs)
if(WIN32)
  set(default_install_dir .)
else()
  set(default_install_dir "${CMAKE_INSTALL_LIBDIR}/tolvos")
endif()
set(TOLVOS_INSTALL_DIR "${default_install_dir}" CACHE STRING
    "Folder, under the install prefix, of the executable and the files it loads from beside it")
