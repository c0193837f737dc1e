# Runs `repeat-orbit map --png` as installed programs run it, finding the land
# beside the program, and checks that a 1600 x 800 PNG came out.
file(REMOVE ${OUT})
execute_process(
  COMMAND ${PROGRAM} map --n 14 --m 1 --q 3 --sun-sync --swath 290 --png ${OUT}
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "repeat-orbit map failed (${status}): ${errors}")
endif()
# Signature, then the IHDR chunk: width and height as 4-byte big-endian numbers.
file(READ ${OUT} header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 16 size)
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL "0000064000000320")
  message(FATAL_ERROR "not a 1600 x 800 PNG: ${header}")
endif()
