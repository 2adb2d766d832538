# Read by cpack for each package it builds (CPACK_PROJECT_CONFIG_FILE).
# A .deb in the simple install layout would put the picture folder into /usr,
# where upgrades overwrite the teachers' pictures; so refuse to build one.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_KB_DEB_LAYOUT)
  message(FATAL_ERROR "The Debian package needs the package layout: "
                      "configure the build folder with -DKB_DEB_LAYOUT=ON")
endif()
