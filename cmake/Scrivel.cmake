# Helpers shared by every part of the build.

# scrivel_add_plugin(<name> <sources...>): a Qt plug-in module loaded by the host
# from <build>/bin/plugins.
function(scrivel_add_plugin name)
  add_library(${name} MODULE ${ARGN})
  target_link_libraries(${name} PRIVATE scrivelshared Qt5::Widgets Qt5::Concurrent)
  set_target_properties(${name} PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${SCRIVEL_PLUGIN_DIR}
    PREFIX "lib")
  install(TARGETS ${name} LIBRARY DESTINATION ${SCRIVEL_INSTALL_DIR}/plugins)
  set_property(GLOBAL APPEND PROPERTY SCRIVEL_PLUGINS ${name})
endfunction()

# scrivel_add_test(<name> SOURCES <files...> [LIBS <targets...>]): a Qt Test
# executable in <build>/bin, registered with CTest and run offscreen.
function(scrivel_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} scriveltestsupport scrivelshared Qt5::Test Qt5::Widgets Qt5::Concurrent)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;SCRIVEL_PLUGIN_DIR=${SCRIVEL_PLUGIN_DIR};ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp"
    TIMEOUT 300)
endfunction()

# Adds every direct subfolder of the current source folder that has a CMakeLists.txt.
macro(scrivel_add_subfolders)
  file(GLOB _scrivel_children LIST_DIRECTORIES true RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _scrivel_children)
  foreach(_child ${_scrivel_children})
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
      add_subdirectory(${_child})
    endif()
  endforeach()
endmacro()
