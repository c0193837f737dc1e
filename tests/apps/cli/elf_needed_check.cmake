# Reads the shared libraries an ELF file needs (its NEEDED entries, with
# readelf -d) and checks whether any of them matches PATTERN.
#   -DREADELF=<readelf> -DFILE=<program or module> -DPATTERN=<regex> -DEXPECT=absent|present
execute_process(COMMAND ${READELF} -d ${FILE} RESULT_VARIABLE status OUTPUT_VARIABLE dynamic ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${READELF} -d ${FILE} failed (${status}): ${errors}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*\\[[^]\n]+\\]" entries "${dynamic}")
set(needed)
foreach(entry IN LISTS entries)
  string(REGEX REPLACE ".*\\[([^]]+)\\]$" "\\1" library "${entry}")
  list(APPEND needed "${library}")
endforeach()
# Every program needs the C library: no entry at all means readelf's output
# was not understood, not that nothing is needed.
if(NOT needed)
  message(FATAL_ERROR "No NEEDED entry read from ${FILE}:\n${dynamic}")
endif()
set(matching)
foreach(library IN LISTS needed)
  if(library MATCHES "${PATTERN}")
    list(APPEND matching "${library}")
  endif()
endforeach()
if(EXPECT STREQUAL "absent" AND matching)
  message(FATAL_ERROR "${FILE} needs ${matching}; it needs:\n  ${needed}")
elseif(EXPECT STREQUAL "present" AND NOT matching)
  message(FATAL_ERROR "${FILE} needs no library matching '${PATTERN}'; it needs:\n  ${needed}")
endif()
