# The Windows front end: the Win32 window, its boxes and the `tolvos.exe` program, over the
# Windows adapters (windows_platform).
if(NOT WIN32)
  return()
endif()
if(NOT TARGET windows_platform)
  message(STATUS "tolvos.exe: no windows_platform target, the front end is not built")
  return()
endif()
enable_language(RC)

# Everything of the front end but its main(), for the program and the window tests.
tolvos_view(win32_frontend_view win32_frontend frontend/win32)
file(GLOB win32_frontend_sources CONFIGURE_DEPENDS
     ${CMAKE_CURRENT_SOURCE_DIR}/src/frontend/win32/*.cpp)
list(FILTER win32_frontend_sources EXCLUDE REGEX "/main\\.cpp$")
add_library(win32_frontend STATIC ${win32_frontend_sources})
target_include_directories(win32_frontend PUBLIC ${win32_frontend_view})
# Windows 10 and later: per-monitor DPI. The system's text functions are the UTF-16 ones.
target_compile_definitions(win32_frontend PUBLIC UNICODE _UNICODE NOMINMAX
                           _WIN32_WINNT=0x0A00 WINVER=0x0A00)
target_link_libraries(win32_frontend PUBLIC form windows_platform
                      user32 gdi32 oleacc ole32 oleaut32 uuid)

# The name box is a resource: each program that opens it links it in.
set(TOLVOS_NAME_BOX_RC ${CMAKE_CURRENT_SOURCE_DIR}/src/frontend/win32/name_box.rc)
add_executable(tolvos WIN32 ${CMAKE_CURRENT_SOURCE_DIR}/src/frontend/win32/main.cpp
                            ${CMAKE_CURRENT_SOURCE_DIR}/src/frontend/win32/tolvos.rc
                            ${TOLVOS_NAME_BOX_RC})
target_link_libraries(tolvos PRIVATE win32_frontend)
# No DLL of the compiler's beside the program: its runtime is linked in.
target_link_options(tolvos PRIVATE -static)
# The program loads its sounds from its own folder: building it makes them there too.
add_dependencies(tolvos sounds)
