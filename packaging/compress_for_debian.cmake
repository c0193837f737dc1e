# Run by CPack on its staged installation, before the package is made:
# compresses the manual pages and the changelog as Debian keeps them, with
# gzip -9n (no name or time stamp inside, so the package is reproducible).
# The package is not made without its manual pages.
find_program(GZIP gzip REQUIRED)
file(GLOB_RECURSE manual_pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man1/*.1")
file(GLOB_RECURSE changelogs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/*/changelog")
if(NOT manual_pages)
  message(FATAL_ERROR "No manual page found under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}: "
                      "the package needs them, configure with -DREPEAT_ORBIT_MANPAGES=ON")
endif()
if(NOT changelogs)
  message(FATAL_ERROR "No changelog found under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
set(to_compress ${manual_pages} ${changelogs})
foreach(file IN LISTS to_compress)
  execute_process(COMMAND "${GZIP}" -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip could not compress ${file}")
  endif()
endforeach()
