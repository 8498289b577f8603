# The Qt window, the `tolvos` executable and the offscreen Qt tests.
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
else()
  message(STATUS "tolvos: no speech_backends target, the executable is not built")
endif()

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
endif()
