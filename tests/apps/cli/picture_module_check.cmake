# Runs repeat-orbit with ARGS and checks its exit status, its standard error
# and its standard output, for the cases where the picture module is found,
# missing or named by REPEAT_ORBIT_PICTURES (the caller sets the variable).
#   -DPROGRAM=<repeat-orbit> -DARGS=design;--n;14;... -DSTATUS=<exit status>
#   -DERR=<regex> -DOUT=<regex> [-DMOVE_TO=<folder>: run a copy of the program
#   placed alone in that folder] [-DNO_FILE=<file the run must not leave>]
if(MOVE_TO)
  file(REMOVE_RECURSE "${MOVE_TO}")
  file(MAKE_DIRECTORY "${MOVE_TO}")
  file(COPY "${PROGRAM}" DESTINATION "${MOVE_TO}")
  get_filename_component(name "${PROGRAM}" NAME)
  set(PROGRAM "${MOVE_TO}/${name}")
endif()
if(NO_FILE)
  file(REMOVE "${NO_FILE}")
endif()
execute_process(COMMAND ${PROGRAM} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status STREQUAL STATUS)
  message(FATAL_ERROR "repeat-orbit ${ARGS}: exit ${status}, expected ${STATUS}\n${err}")
endif()
if(NOT err MATCHES "${ERR}")
  message(FATAL_ERROR "repeat-orbit ${ARGS}: standard error does not match '${ERR}':\n${err}")
endif()
if(NOT out MATCHES "${OUT}")
  message(FATAL_ERROR "repeat-orbit ${ARGS}: standard output does not match '${OUT}':\n${out}")
endif()
if(NO_FILE AND EXISTS "${NO_FILE}")
  message(FATAL_ERROR "repeat-orbit ${ARGS} left ${NO_FILE} behind")
endif()
