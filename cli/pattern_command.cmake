# The `pattern` subcommand of repeat-orbit, present only when the windows are
# built: it draws with the pattern window's own code.
if(REPEAT_ORBIT_GUI AND TARGET pattern)
  target_sources(repeat_orbit_cli PRIVATE ${CMAKE_CURRENT_LIST_DIR}/pattern_command.cpp)
  target_link_libraries(repeat_orbit_cli PUBLIC pattern)
  target_compile_definitions(repeat_orbit_cli PUBLIC REPEAT_ORBIT_PATTERN_COMMAND)
endif()
