# The Linux front end: the Qt window, its boxes and files, the `tolvos` executable, its install
# and the offscreen Qt tests.
if(WIN32)
  return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Widgets DBus)

# Everything of the front end but its main(), for the program and the window tests.
tolvos_view(qt_frontend_view qt_frontend frontend/qt)
file(GLOB qt_frontend_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/frontend/qt/*.cpp)
list(FILTER qt_frontend_sources EXCLUDE REGEX "/main\\.cpp$")
# A screen reader gets the game's texts as announcements from Qt 6.8 on, and before it as a
# notification that appears: one of the two files is built.
if(Qt6Widgets_VERSION VERSION_GREATER_EQUAL 6.8)
  list(FILTER qt_frontend_sources EXCLUDE REGEX "/announcer_notice\\.cpp$")
else()
  list(FILTER qt_frontend_sources EXCLUDE REGEX "/announcer_event\\.cpp$")
endif()
add_library(qt_frontend STATIC ${qt_frontend_sources})
set_target_properties(qt_frontend PROPERTIES AUTOMOC ON)
target_include_directories(qt_frontend PUBLIC ${qt_frontend_view})
target_link_libraries(qt_frontend PUBLIC form Qt6::Widgets Qt6::DBus)

if(TARGET linux_platform)
  add_executable(tolvos ${CMAKE_CURRENT_SOURCE_DIR}/src/frontend/qt/main.cpp)
  target_link_libraries(tolvos PRIVATE qt_frontend linux_platform)
  # The program loads its sounds from its own folder: building it makes them there too.
  if(TARGET sounds)
    add_dependencies(tolvos sounds)
  endif()

  install(TARGETS tolvos RUNTIME DESTINATION ${TOLVOS_INSTALL_DIR})
  # bin/tolvos is a relative link: the program still finds its folder through it.
  file(RELATIVE_PATH link_target "/${CMAKE_INSTALL_BINDIR}" "/${TOLVOS_INSTALL_DIR}/tolvos")
  install(CODE "
    set(bin_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin_dir}\")
    message(STATUS \"Installing: \${bin_dir}/tolvos -> ${link_target}\")
    file(CREATE_LINK \"${link_target}\" \"\${bin_dir}/tolvos\" SYMBOLIC)")
else()
  message(STATUS "tolvos: no linux_platform target, the executable is not built")
endif()

set(app_id org.tolvos.Tolvos)
install(FILES data/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/${app_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

if(TOLVOS_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  file(GLOB qt_test_sources CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/tests/frontend/qt/*_test.cpp)
  foreach(source ${qt_test_sources})
    get_filename_component(test_name ${source} NAME_WE)
    add_executable(${test_name} ${source})
    set_target_properties(${test_name} PROPERTIES AUTOMOC ON)
    target_include_directories(${test_name} PRIVATE tests)
    target_link_libraries(${test_name} PRIVATE qt_frontend Qt6::Test)
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endforeach()

  # The desktop entry and the software-centre description must pass their validators.
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  add_test(NAME desktop_entry
           COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_CURRENT_SOURCE_DIR}/data/${app_id}.desktop)
  # The game has no web page of its own, so the description names none; AppStream 1.0 asks
  # for one, earlier versions do not know the check. Everything else is held to the validator.
  execute_process(COMMAND ${APPSTREAMCLI} --version OUTPUT_VARIABLE appstream_version)
  set(no_homepage "")
  if(appstream_version MATCHES "version: ([0-9]+)" AND CMAKE_MATCH_1 GREATER_EQUAL 1)
    set(no_homepage --override=url-homepage-missing=info)
  endif()
  add_test(NAME metainfo
           COMMAND ${APPSTREAMCLI} validate --no-net --explain ${no_homepage}
                   ${CMAKE_CURRENT_SOURCE_DIR}/data/${app_id}.metainfo.xml)
  if(TARGET tolvos)
    add_test(NAME no_display
             COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:tolvos>
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/frontend/qt/no_display.cmake)
    add_test(NAME install_layout
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DPREFIX=${CMAKE_BINARY_DIR}/install-check
                     -DPROGRAM_DIR=${TOLVOS_INSTALL_DIR} -DDATA_DIR=${CMAKE_INSTALL_DATADIR}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/check_layout.cmake)
  endif()
endif()
