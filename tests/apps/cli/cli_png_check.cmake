# Runs `repeat-orbit COMMAND ... --png OUT` as an installed program runs it
# (the caller unsets the display) and checks that a PNG of SIZE (WxH) came out.
#   -DPROGRAM=<repeat-orbit> -DOUT=<file.png> -DSIZE=749x270 -DARGS=pattern;--n;14;...
file(REMOVE ${OUT})
execute_process(
  COMMAND ${PROGRAM} ${ARGS} --png ${OUT}
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "repeat-orbit ${ARGS} failed (${status}): ${errors}")
endif()
# Signature, then the IHDR chunk: width and height as 4-byte big-endian numbers.
function(big_endian_hex value out)
  math(EXPR hex "${value}" OUTPUT_FORMAT HEXADECIMAL)
  string(SUBSTRING "${hex}" 2 -1 digits)
  string(LENGTH "${digits}" length)
  math(EXPR zeros "8 - ${length}")
  string(REPEAT "0" ${zeros} pad)
  string(TOLOWER "${pad}${digits}" padded)
  set(${out} ${padded} PARENT_SCOPE)
endfunction()
string(REPLACE "x" ";" dimensions ${SIZE})
list(GET dimensions 0 width)
list(GET dimensions 1 height)
big_endian_hex(${width} width_hex)
big_endian_hex(${height} height_hex)
set(expected "${width_hex}${height_hex}")
file(READ ${OUT} header LIMIT 24 HEX)
string(SUBSTRING "${header}" 0 16 signature)
string(SUBSTRING "${header}" 32 16 size)
if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT size STREQUAL expected)
  message(FATAL_ERROR "not a ${SIZE} PNG: ${header}")
endif()
