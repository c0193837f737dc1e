# Installs the build into an empty DESTDIR under the prefix /usr, compares the
# files there with installed_files.txt, runs the installed programs and
# follows the installed documents' links.
#   cmake -DBUILD_DIR=... -DSTAGE=... -DEXPECTED=... -DGUI=ON|OFF -DMANPAGES=ON|OFF -P install_check.cmake

file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} -E env "DESTDIR=${STAGE}"
                        ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
                RESULT_VARIABLE status OUTPUT_VARIABLE install_log ERROR_VARIABLE install_log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed:\n${install_log}")
endif()
set(root "${STAGE}/usr")

file(STRINGS "${EXPECTED}" lines)
set(expected)
# A line's leading words "gui" and "man" say which builds hold the file.
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  set(wanted TRUE)
  while(line MATCHES "^(gui|man) (.*)$")
    set(line "${CMAKE_MATCH_2}")
    if((CMAKE_MATCH_1 STREQUAL "gui" AND NOT GUI) OR (CMAKE_MATCH_1 STREQUAL "man" AND NOT MANPAGES))
      set(wanted FALSE)
    endif()
  endwhile()
  if(wanted)
    list(APPEND expected "${line}")
  endif()
endforeach()
file(GLOB_RECURSE installed LIST_DIRECTORIES false RELATIVE "${root}" "${STAGE}/*")
list(SORT expected)
list(SORT installed)
set(missing ${expected})
list(REMOVE_ITEM missing ${installed})
set(unexpected ${installed})
list(REMOVE_ITEM unexpected ${expected})
if(missing OR unexpected)
  string(REPLACE ";" "\n  " missing "${missing}")
  string(REPLACE ";" "\n  " unexpected "${unexpected}")
  message(FATAL_ERROR "The installation differs from ${EXPECTED}\nmissing:\n  ${missing}\nunexpected:\n  ${unexpected}")
endif()

# Runs an installed program; its output must match `pattern`.
function(expect_output pattern)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0 OR NOT out MATCHES "${pattern}")
    message(FATAL_ERROR "${ARGN}\nexit ${status}, expected output matching '${pattern}':\n${out}\n${err}")
  endif()
endfunction()

expect_output("Mean altitude \\(km\\)  774\\.98\n.*inclination, deg  98\\.497"
              "${root}/bin/repeat-orbit" design --n 14 --m 1 --q 3 --sun-sync)
expect_output("^repeat-orbit 1\\.00\n$" "${root}/bin/repeat-orbit" --version)
if(GUI)
  # The installed command finds its picture module in lib/repeat-orbit/.
  expect_output("<svg.*</svg>" "${root}/bin/repeat-orbit" pattern --n 14 --m 1 --q 3 --incl 65 --svg -)
  expect_output("^orbit-designer 1\\.00\n$" "${root}/bin/orbit-designer" --version)
  # The menu entry's action runs the program with an option it knows: an
  # unknown one would end it with status 2 before the version is told.
  file(READ "${root}/share/applications/org.repeatorbit.OrbitDesigner.desktop" entry)
  if(NOT entry MATCHES "\n\\[Desktop Action explore\\]\nName=Find Repeat Orbits\nExec=orbit-designer ([^\n]*)\n")
    message(FATAL_ERROR "The desktop entry lacks the action Find Repeat Orbits:\n${entry}")
  endif()
  separate_arguments(action_options UNIX_COMMAND "${CMAKE_MATCH_1}")
  expect_output("^orbit-designer 1\\.00\n$" "${root}/bin/orbit-designer" ${action_options} --version)
endif()

# The manual pages come from the programs and carry their examples.
foreach(page IN ITEMS repeat-orbit orbit-designer)
  if(NOT MANPAGES OR (page STREQUAL "orbit-designer" AND NOT GUI))
    continue()
  endif()
  file(READ "${root}/share/man/man1/${page}.1" text)
  string(TOUPPER "${page}" title)
  foreach(part IN ITEMS "\n.TH ${title} \"1\"" "\"${page} 1.00\"" "\n.SH EXAMPLES\n" "\n.SH OPTIONS\n")
    string(FIND "${text}" "${part}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${page}.1 lacks '${part}'")
    endif()
  endforeach()
endforeach()

# Every document's links and pictures to other installed files resolve, from
# where the document is installed (anchors aside; the web is not linked).
file(GLOB_RECURSE documents "${root}/share/doc/*.md")
if(NOT documents)
  message(FATAL_ERROR "No document installed under ${root}/share/doc")
endif()
foreach(document IN LISTS documents)
  file(READ "${document}" text)
  get_filename_component(folder "${document}" DIRECTORY)
  string(REGEX MATCHALL "\\]\\([^)# ]+" targets "${text}")
  # Without the "](" the matches form a plain list (a bracket would keep
  # CMake from splitting it).
  string(REPLACE "](" "" targets "${targets}")
  foreach(target IN LISTS targets)
    if(NOT EXISTS "${folder}/${target}")
      file(RELATIVE_PATH shown "${root}" "${document}")
      message(FATAL_ERROR "${shown} links to ${target}, which is not installed beside it")
    endif()
  endforeach()
endforeach()
