# Run by CPack on its staged installation, before the package is made:
# compresses the manual pages and the changelog as Debian keeps them, with
# gzip -9n (no name or time stamp inside, so the package is reproducible).
find_program(GZIP gzip REQUIRED)
file(GLOB_RECURSE to_compress
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man1/*.1"
  "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/*/changelog")
if(NOT to_compress)
  message(FATAL_ERROR "No manual page or changelog found under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(file IN LISTS to_compress)
  execute_process(COMMAND "${GZIP}" -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${file}")
  endif()
endforeach()
