# The Debian package, made by `cpack -G DEB` from the installation above
# (scripts/package does it all). Its dependencies are read from the programs
# and the command's picture module (lib/repeat-orbit/) themselves, so it
# pulls in Qt's runtime libraries and nothing of the build.

set(CPACK_PACKAGE_NAME "${REPEAT_ORBIT_PACKAGE_NAME}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "The Repeat Orbit Designer developers")
set(CPACK_PACKAGE_CONTACT "Repeat Orbit Designer maintainers <maintainers@users.noreply.c-seed-2649506e.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design Earth orbits whose ground track repeats")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The summary above is the first line; this is the long description under it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Repeat Orbit Designer finds the circular Earth orbit whose ground track
repeats after N whole revolutions a day, M extra revolutions and Q days,
at a chosen inclination or sun-synchronous. Under a J2 Earth model it gives
the semi-major axis, mean altitude, mean motion, nodal period and
inclination, and draws the relative ground-track pattern and the ground
track on a world map. For an instrument's swath it tells whether the orbit
sees every latitude and how long each waits between looks.
.
The package holds the window program orbit-designer, with its menu entry
and its explorer that finds, compares and chooses repeat orbits, and the
command repeat-orbit, which solves designs, searches altitude bands for
repeat orbits, works out swath coverage and draws the pattern, the map and
the coverage chart as PNG or SVG for scripts.")

# Debian keeps manual pages and the changelog compressed; the plain
# installation leaves them as they are.
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_SOURCE_DIR}/compress_for_debian.cmake")

include(CPack)
