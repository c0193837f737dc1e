# A build without the manual pages configures on a machine without help2man.
# help2man is hidden from the configure (every folder holding one is ignored
# by find_program once the project's compiler is known), then:
# - with -DREPEAT_ORBIT_MANPAGES=OFF the configure succeeds;
# - with the pages on it fails and names the option, which also shows that
#   the hiding worked.
#   cmake -DSOURCE_DIR=... -DBUILD_DIR=... -DGUI=ON|OFF -P configure_without_help2man.cmake

set(candidates /usr/local/bin /usr/bin /bin /usr/local/sbin /usr/sbin /sbin)
if(DEFINED ENV{PATH})
  string(REPLACE ":" ";" path_folders "$ENV{PATH}")
  list(APPEND candidates ${path_folders})
endif()
set(hidden)
foreach(folder IN LISTS candidates)
  if(EXISTS "${folder}/help2man")
    list(APPEND hidden "${folder}")
  endif()
endforeach()
list(REMOVE_DUPLICATES hidden)
file(MAKE_DIRECTORY "${BUILD_DIR}")
set(hide "${BUILD_DIR}/hide_help2man.cmake")
# Included right after project(): the compiler and the build tool are found
# by then, and nothing the project looks for later lives only beside help2man.
file(WRITE "${hide}" "list(APPEND CMAKE_IGNORE_PATH \"${hidden}\")\n")

function(configure_project manpages result log)
  execute_process(COMMAND ${CMAKE_COMMAND} --fresh -S "${SOURCE_DIR}" -B "${BUILD_DIR}/manpages-${manpages}"
                          -DREPEAT_ORBIT_MANPAGES=${manpages} -DBUILD_TESTING=OFF -DREPEAT_ORBIT_BENCH=OFF
                          -DREPEAT_ORBIT_GUI=${GUI} -DCMAKE_PROJECT_INCLUDE=${hide}
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  set(${result} "${status}" PARENT_SCOPE)
  set(${log} "${out}" PARENT_SCOPE)
endfunction()

configure_project(OFF status log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "Without help2man, configuring with REPEAT_ORBIT_MANPAGES=OFF failed:\n${log}")
endif()

configure_project(ON status log)
if(status EQUAL 0)
  message(FATAL_ERROR "With help2man hidden (${hidden}), configuring with the manual pages succeeded: "
                      "either help2man was still found or the pages no longer need it")
endif()
if(NOT log MATCHES "help2man" OR NOT log MATCHES "REPEAT_ORBIT_MANPAGES=OFF")
  message(FATAL_ERROR "Without help2man, configuring with the manual pages failed without naming the "
                      "program and the option:\n${log}")
endif()
