# The Qt window, the `tolvos` executable, its install and the offscreen Qt tests.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

file(GLOB qt_adapter_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/ui/qt/*.cpp)
add_library(qt_adapters STATIC ${qt_adapter_sources})
set_target_properties(qt_adapters PROPERTIES AUTOMOC ON)
target_link_libraries(qt_adapters PUBLIC form Qt6::Widgets)

# The platform's speech and sound come from their own build part; without it there is no
# program to build yet, only the window and its tests.
if(TARGET speech_backends)
  add_executable(tolvos src/app/main.cpp)
  target_link_libraries(tolvos PRIVATE qt_adapters speech_backends)
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
  message(STATUS "tolvos: no speech_backends target, the executable is not built")
endif()

set(app_id org.tolvos.Tolvos)
install(FILES data/${app_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/${app_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/${app_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

if(TOLVOS_TESTS)
  find_package(Qt6 REQUIRED COMPONENTS Test)
  file(GLOB qt_test_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/ui/qt/*_test.cpp)
  foreach(source ${qt_test_sources})
    get_filename_component(test_name ${source} NAME_WE)
    add_executable(${test_name} ${source})
    set_target_properties(${test_name} PROPERTIES AUTOMOC ON)
    target_include_directories(${test_name} PRIVATE tests)
    target_link_libraries(${test_name} PRIVATE qt_adapters Qt6::Test)
    add_test(NAME ${test_name} COMMAND ${test_name})
    set_tests_properties(${test_name} PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)
  endforeach()

  # The desktop entry and the software-centre description must pass their validators.
  find_program(APPSTREAMCLI appstreamcli REQUIRED)
  find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
  add_test(NAME desktop_entry
           COMMAND ${DESKTOP_FILE_VALIDATE} ${CMAKE_CURRENT_SOURCE_DIR}/data/${app_id}.desktop)
  add_test(NAME metainfo
           COMMAND ${APPSTREAMCLI} validate --no-net --explain
                   ${CMAKE_CURRENT_SOURCE_DIR}/data/${app_id}.metainfo.xml)
  if(TARGET tolvos)
    add_test(NAME install_layout
             COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR}
                     -DPREFIX=${CMAKE_BINARY_DIR}/install-check
                     -DPROGRAM_DIR=${TOLVOS_INSTALL_DIR} -DDATA_DIR=${CMAKE_INSTALL_DATADIR}
                     -P ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/check_layout.cmake)
  endif()
endif()
