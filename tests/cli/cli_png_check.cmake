# Runs `repeat-orbit pattern --png` and checks that a 749 x 270 PNG came out.
file(REMOVE ${OUT})
execute_process(
  COMMAND ${PROGRAM} pattern --n 14 --m 1 --q 3 --incl 65 --png ${OUT}
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "repeat-orbit pattern failed (${status}): ${errors}")
endif()
# Signature, then the IHDR chunk: width and height as 4-byte big-endian numbers.
file(READ ${OUT} header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 16 size)
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL "000002ed0000010e")
  message(FATAL_ERROR "not a 749 x 270 PNG: ${header}")
endif()
