# Installing Kieselblick and packaging it for Debian.
#
# The program reads its pictures from the folder "bilder" beside its own
# executable, so the two are installed together into one private folder, and
# the command on the PATH is only a relative symlink to it (Qt resolves the
# symlink, so the program folder is that of the real executable):
#
#   <prefix>/lib/kieselblick/kieselblick          the program
#   <prefix>/lib/kieselblick/bilder/              its pictures
#   <prefix>/bin/kieselblick                      -> ../lib/kieselblick/kieselblick
#   <prefix>/share/applications/<id>.desktop      menu entry
#   <prefix>/share/icons/hicolor/*/apps/<id>.*    icon, 16 to 256 pixels and scalable
#   <prefix>/share/metainfo/<id>.metainfo.xml     software-centre description
#   <prefix>/share/doc/kieselblick/               copyright and licences
#
# `cpack` in a Release build folder turns the same layout into a .deb below /usr
# (the Debian generator's own prefix).

include(GNUInstallDirs)

set(KB_APP_ID "example.tavo_kolleg.kieselblick")
set(KB_INSTALL_APPDIR "lib/kieselblick" CACHE STRING
    "Folder for the program and its pictures, relative to the install prefix")
set(KB_PACKAGING_DIR "${CMAKE_CURRENT_SOURCE_DIR}/packaging")

foreach(dir KB_INSTALL_APPDIR CMAKE_INSTALL_BINDIR CMAKE_INSTALL_DATAROOTDIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the install prefix: ${${dir}}")
  endif()
endforeach()

# ---- the program folder ------------------------------------------------------

install(TARGETS kieselblick RUNTIME DESTINATION "${KB_INSTALL_APPDIR}")
install(DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/assets/bilder/"
        DESTINATION "${KB_INSTALL_APPDIR}/bilder")

# The launcher: a relative symlink made in the build tree and installed as it is,
# so the installed tree can be moved to another prefix (as the package does).
file(RELATIVE_PATH kb_launcher_target "/${CMAKE_INSTALL_BINDIR}"
     "/${KB_INSTALL_APPDIR}/kieselblick")
set(kb_launcher "${CMAKE_CURRENT_BINARY_DIR}/launcher/kieselblick")
file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/launcher")
file(CREATE_LINK "${kb_launcher_target}" "${kb_launcher}" SYMBOLIC)
install(FILES "${kb_launcher}" DESTINATION "${CMAKE_INSTALL_BINDIR}")

# ---- desktop integration -----------------------------------------------------

set(kb_share "${CMAKE_INSTALL_DATAROOTDIR}")
install(FILES "${KB_PACKAGING_DIR}/${KB_APP_ID}.desktop"
        DESTINATION "${kb_share}/applications")
install(FILES "${KB_PACKAGING_DIR}/${KB_APP_ID}.metainfo.xml"
        DESTINATION "${kb_share}/metainfo")
foreach(size 16 32 48 256)
  install(FILES "${CMAKE_CURRENT_SOURCE_DIR}/assets/icon-${size}.png"
          DESTINATION "${kb_share}/icons/hicolor/${size}x${size}/apps"
          RENAME "${KB_APP_ID}.png")
endforeach()
install(FILES "${CMAKE_CURRENT_SOURCE_DIR}/assets/drawings/icon.svg"
        DESTINATION "${kb_share}/icons/hicolor/scalable/apps"
        RENAME "${KB_APP_ID}.svg")

# The package's own name, not the project's, names the documentation folder.
install(FILES "${KB_PACKAGING_DIR}/copyright"
              "${CMAKE_CURRENT_SOURCE_DIR}/assets/bilder-LICENSE.txt"
              "${CMAKE_CURRENT_SOURCE_DIR}/assets/fonts/ComicNeue-COPYRIGHT.txt"
              "${CMAKE_CURRENT_SOURCE_DIR}/assets/fonts/LiberationSans-COPYRIGHT.txt"
        DESTINATION "${kb_share}/doc/kieselblick")

# ---- checks of the desktop files, where the validators are installed ----------

if(BUILD_TESTING)
  find_program(KB_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(KB_APPSTREAMCLI appstreamcli)
  if(KB_DESKTOP_FILE_VALIDATE)
    add_test(NAME desktop_eintrag_gueltig
             COMMAND "${KB_DESKTOP_FILE_VALIDATE}" "${KB_PACKAGING_DIR}/${KB_APP_ID}.desktop")
    # Hints are fine (the entry names two main categories on purpose); errors
    # and warnings are not.
    set_tests_properties(desktop_eintrag_gueltig PROPERTIES
                         FAIL_REGULAR_EXPRESSION "error:;warning:")
  endif()
  if(KB_APPSTREAMCLI)
    add_test(NAME metainfo_gueltig
             COMMAND "${KB_APPSTREAMCLI}" validate --no-net --pedantic
                     "${KB_PACKAGING_DIR}/${KB_APP_ID}.metainfo.xml")
  endif()
endif()

# ---- the Debian package --------------------------------------------------------

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kieselblick")
set(CPACK_PACKAGE_VENDOR "Tavo-Kolleg")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_CONTACT "Kieselblick-Team am Tavo-Kolleg <kieselblick@tavo-kolleg.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://kieselblick.tavo-kolleg.example/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "picture memory and reading game for the first school year")
set(CPACK_PACKAGE_DESCRIPTION
    "Kieselblick is a small reading and vocabulary trainer for children in their
first school year; all its texts are German. The child watches four or seven
pictures drawn at random and then picks out, on a board of word buttons, the
words that name the pictures it has seen. Five levels show the pictures by
click or automatically. Teachers can add or replace the pictures in
/usr/lib/kieselblick/bilder: the file name is the word.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its platform plugin (xcb, wayland) at run time, so no library
# dependency brings it in.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
find_program(KB_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KB_DPKG_SHLIBDEPS)
  # The library packages and their versions come from the linked libraries.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4), libjpeg62-turbo, libpng16-16"
         ", libstdc++6, libc6")
endif()

# `package_source` packs the source tree alone, without build folders and git.
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")

include(CPack)
