# Where `cmake --install` puts things. The program finds its sounds in its own folder, so the
# executable and the sounds share one private folder; bin/ holds a link to the executable.
include(GNUInstallDirs)
set(TOLVOS_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/tolvos" CACHE STRING
    "Folder, under the install prefix, of the executable and the files it loads from beside it")
