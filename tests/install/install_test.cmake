# Run by CTest: cmake -DBUILD_DIR=... -DPLUGIN_COUNT=n -P install_test.cmake
set(root ${BUILD_DIR}/install-test)
file(REMOVE_RECURSE ${root})
set(prefix ${root}/prefix)
set(work ${root}/work)
file(MAKE_DIRECTORY ${work})

execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install into ${prefix} failed: ${rc}")
endif()
foreach(f bin/scrivel lib/scrivel/scrivel share/applications/scrivel.desktop
          share/icons/hicolor/scalable/apps/scrivel.svg share/man/man1/scrivel.1)
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
if(NOT IS_SYMLINK ${prefix}/bin/scrivel)
  message(FATAL_ERROR "bin/scrivel is not a link")
endif()

# Started through the link, in a working folder of its own, with the
# plug-ins' data folders kept inside the test folder.
set(ENV{XDG_DATA_HOME} ${root}/data-home)
execute_process(COMMAND ${prefix}/bin/scrivel --quit-after-start
  WORKING_DIRECTORY ${work} RESULT_VARIABLE rc TIMEOUT 60
  OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the installed program did not quit cleanly (${rc}): ${err}")
endif()
if(NOT EXISTS ${work}/plus.ini)
  message(FATAL_ERROR "no plus.ini written: no plug-in loaded")
endif()
file(STRINGS ${work}/plus.ini lines)
list(LENGTH lines count)
if(NOT count EQUAL PLUGIN_COUNT)
  message(FATAL_ERROR "${count} plug-ins loaded, ${PLUGIN_COUNT} installed: ${lines}")
endif()
foreach(line ${lines})
  if(NOT line MATCHES "^[A-Za-z]+ V[0-9.]+,0$")
    message(FATAL_ERROR "unexpected plus.ini line: ${line}")
  endif()
endforeach()

# --desktop works in the per-user data folder instead.
execute_process(COMMAND ${prefix}/bin/scrivel --desktop --quit-after-start
  WORKING_DIRECTORY ${work} RESULT_VARIABLE rc TIMEOUT 60 OUTPUT_QUIET ERROR_QUIET)
if(NOT rc EQUAL 0 OR NOT EXISTS ${root}/data-home/scrivel/plus.ini)
  message(FATAL_ERROR "--desktop did not start in the per-user folder (${rc})")
endif()
file(REMOVE_RECURSE ${root})
message(STATUS "installed program loaded ${count} plug-ins")
