# Cross-building the Windows program on Debian with MinGW-w64 (package
# g++-mingw-w64-x86-64-posix): 64-bit, the posix threads flavour (std::thread, std::mutex),
# and everything the compiler brings linked in statically, so that no DLL of the compiler has
# to travel with the program. Programs the build or the tests run go through Wine.
#   cmake -S . -B build/windows -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOLVOS_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOLVOS_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOLVOS_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOLVOS_MINGW_TRIPLE}-windres)

# Headers and libraries of the target come only from the MinGW-w64 tree; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TOLVOS_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread go inside each executable and DLL.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)

# ctest and custom commands run target programs through this (see the script for its prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
