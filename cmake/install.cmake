# Installing Kieselblick and packaging it for Debian.
#
# The game reads its pictures from the folder "bilder" beside its own
# executable, so the programs are installed into one private folder with it,
# and the commands on the PATH are only relative symlinks to them (Qt resolves
# the symlink, so the program folder is that of the real executable):
#
#   <prefix>/lib/kieselblick/kieselblick          the game
#   <prefix>/lib/kieselblick/kieselblick-bilder   the picture-folder companion
#   <prefix>/lib/kieselblick/bilder/              the game's pictures
#   <prefix>/bin/kieselblick, kieselblick-bilder  -> ../lib/kieselblick/<program>
#   <prefix>/share/kieselblick/bilder/            the default pictures, read-only
#   <prefix>/share/kieselblick/saetze/            picture sets drawn from them
#   <prefix>/share/applications/<id>.desktop      menu entries (<id>.tafel.desktop: at a board)
#   <prefix>/share/icons/hicolor/*/apps/<id>.*    icon, 16 to 256 pixels and scalable
#   <prefix>/share/metainfo/<id>.metainfo.xml     software-centre description
#   <prefix>/share/man/man1/kieselblick.1.gz      manual pages
#   <prefix>/share/man/man1/kieselblick-bilder.1.gz
#   <prefix>/share/doc/kieselblick/               copyright and licences
#
# That is what `cmake --install` lays out, with a real picture folder.
#
# The Debian package differs in one place: the picture folder is the teachers'
# changeable data, so it cannot live in /usr, which belongs to the package
# manager. With -DKB_DEB_LAYOUT=ON
#
#   /usr/lib/kieselblick/bilder    -> /var/lib/kieselblick/bilder (symlink)
#
# and the maintainer scripts in packaging/debian create that folder (group
# "kieselblick", mode 2775) and fill it from /usr/share/kieselblick/bilder on
# the first installation only; upgrades and "remove" leave it alone, "purge"
# deletes it. The package also carries the Debian changelog. `cpack` refuses
# to build a package without the option, so a package never has the simple
# layout, whose pictures an upgrade would overwrite:
#
#   cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKB_DEB_LAYOUT=ON
#   cmake --build build/release --target kieselblick kieselblick-bilder
#   (cd build/release && cpack -G DEB)

include(GNUInstallDirs)

option(KB_DEB_LAYOUT
       "Install as the Debian package does: the picture folder is a symlink to /var/lib"
       OFF)

set(KB_APP_ID "example.tavo_kolleg.kieselblick")
set(KB_INSTALL_APPDIR "lib/kieselblick" CACHE STRING
    "Folder for the programs and the game's pictures, relative to the install prefix")
set(KB_INSTALL_SHAREDIR "${CMAKE_INSTALL_DATAROOTDIR}/kieselblick")
set(KB_PACKAGING_DIR "${CMAKE_CURRENT_SOURCE_DIR}/packaging")
# The teachers' picture folder of the package, outside the install prefix.
set(KB_DEB_PICTURE_DIR "/var/lib/kieselblick/bilder")

foreach(dir KB_INSTALL_APPDIR CMAKE_INSTALL_BINDIR CMAKE_INSTALL_DATAROOTDIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the install prefix: ${${dir}}")
  endif()
endforeach()

# Symlinks are made in the build tree and installed as they are.
set(kb_links "${CMAKE_CURRENT_BINARY_DIR}/links")
file(MAKE_DIRECTORY "${kb_links}")

# ---- the programs --------------------------------------------------------------

# A program goes into the program folder, with a relative launcher on the PATH,
# so the installed tree can be moved to another prefix (as the package does).
function(kb_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION "${KB_INSTALL_APPDIR}")
  file(RELATIVE_PATH link_target "/${CMAKE_INSTALL_BINDIR}" "/${KB_INSTALL_APPDIR}/${target}")
  file(CREATE_LINK "${link_target}" "${kb_links}/${target}" SYMBOLIC)
  install(FILES "${kb_links}/${target}" DESTINATION "${CMAKE_INSTALL_BINDIR}")
endfunction()

kb_install_program(kieselblick)
# The companion is built from src/bilderordner once that exists.
if(TARGET kieselblick-bilder)
  kb_install_program(kieselblick-bilder)
endif()

# A stripped install (cpack strips) also drops the compiler's notes, as Debian's
# own packages do (dh_strip).
if(KB_DEB_LAYOUT)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(program kieselblick kieselblick-bilder)
        set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${KB_INSTALL_APPDIR}/\${program}\")
        if(EXISTS \"\${file}\" AND NOT IS_SYMLINK \"\${file}\")
          execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                                  --remove-section=.note \"\${file}\"
                          COMMAND_ERROR_IS_FATAL ANY)
        endif()
      endforeach()
    endif()")
endif()

# ---- the pictures ----------------------------------------------------------------

install(DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/assets/bilder/"
        DESTINATION "${KB_INSTALL_SHAREDIR}/bilder")
install(DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/assets/saetze/"
        DESTINATION "${KB_INSTALL_SHAREDIR}/saetze")
if(KB_DEB_LAYOUT)
  # The system configuration, all of it comments: a conffile that dpkg keeps
  # as the administrator changed it.
  install(FILES "${KB_PACKAGING_DIR}/etc/kieselblick.conf" DESTINATION "/etc/kieselblick")
  file(MAKE_DIRECTORY "${kb_links}/deb")
  file(CREATE_LINK "${KB_DEB_PICTURE_DIR}" "${kb_links}/deb/bilder" SYMBOLIC)
  install(FILES "${kb_links}/deb/bilder" DESTINATION "${KB_INSTALL_APPDIR}")
else()
  install(DIRECTORY "${CMAKE_CURRENT_SOURCE_DIR}/assets/bilder/"
          DESTINATION "${KB_INSTALL_APPDIR}/bilder")
endif()

# ---- desktop integration -----------------------------------------------------

set(kb_share "${CMAKE_INSTALL_DATAROOTDIR}")
# The game in a window, and the same game filling the screen of a board.
install(FILES "${KB_PACKAGING_DIR}/${KB_APP_ID}.desktop" "${KB_PACKAGING_DIR}/${KB_APP_ID}.tafel.desktop"
        DESTINATION "${kb_share}/applications")
if(TARGET kieselblick-bilder)
  install(FILES "${KB_PACKAGING_DIR}/${KB_APP_ID}.bilder.desktop"
          DESTINATION "${kb_share}/applications")
endif()
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

# ---- manual pages and the Debian changelog, compressed as Debian wants ---------

# gzip -9n: best compression, no name and time stamp, so the same source gives
# the same bytes. Made when configuring, so that cpack finds them whichever
# targets were built; a change of the source configures anew.
set(kb_gz_dir "${CMAKE_CURRENT_BINARY_DIR}/gz")
file(MAKE_DIRECTORY "${kb_gz_dir}")
function(kb_gzip source result)
  get_filename_component(name "${source}" NAME)
  execute_process(COMMAND gzip -9n INPUT_FILE "${source}" OUTPUT_FILE "${kb_gz_dir}/${name}.gz"
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${source} failed: ${status}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  set(${result} "${kb_gz_dir}/${name}.gz" PARENT_SCOPE)
endfunction()

kb_gzip("${KB_PACKAGING_DIR}/kieselblick.1" kb_man_game)
install(FILES "${kb_man_game}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
kb_gzip("${KB_PACKAGING_DIR}/kieselblick.conf.5" kb_man_conf)
install(FILES "${kb_man_conf}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man5")
if(TARGET kieselblick-bilder)
  kb_gzip("${KB_PACKAGING_DIR}/kieselblick-bilder.1" kb_man_bilder)
  install(FILES "${kb_man_bilder}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
endif()

# The package's version is that of the newest entry of its changelog, which
# must be one of this project version.
file(STRINGS "${KB_PACKAGING_DIR}/changelog.Debian" kb_changelog_top LIMIT_COUNT 1)
if(NOT kb_changelog_top MATCHES "^kieselblick \\(([^-]+)-([^)]+)\\) ")
  message(FATAL_ERROR "packaging/changelog.Debian does not start with an entry: ${kb_changelog_top}")
endif()
set(KB_DEB_UPSTREAM "${CMAKE_MATCH_1}")
set(KB_DEB_RELEASE "${CMAKE_MATCH_2}")
if(KB_DEB_LAYOUT)
  if(NOT KB_DEB_UPSTREAM STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "packaging/changelog.Debian has no entry for version ${PROJECT_VERSION} "
                        "(newest: ${KB_DEB_UPSTREAM}-${KB_DEB_RELEASE})")
  endif()
  file(COPY_FILE "${KB_PACKAGING_DIR}/changelog.Debian" "${kb_gz_dir}/changelog.Debian"
       ONLY_IF_DIFFERENT)
  kb_gzip("${kb_gz_dir}/changelog.Debian" kb_changelog)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
               "${KB_PACKAGING_DIR}/changelog.Debian")
  install(FILES "${kb_changelog}" DESTINATION "${kb_share}/doc/kieselblick")
endif()

# ---- checks of the desktop files -----------------------------------------------

# A test run by a tool that may be missing. Without the tool the test is still
# there and fails, naming the package to install, so that no check silently
# drops out of a machine that lacks the tool.
function(kb_tool_test name tool package)
  string(MAKE_C_IDENTIFIER "KB_TOOL_${tool}" variable)
  find_program(${variable} ${tool})
  if(${variable})
    add_test(NAME ${name} COMMAND "${${variable}}" ${ARGN})
  else()
    add_test(NAME ${name} COMMAND "${CMAKE_COMMAND}" -DTOOL=${tool} -DPACKAGE=${package}
                                  -P "${CMAKE_SOURCE_DIR}/cmake/missing-tool.cmake")
  endif()
endfunction()

if(BUILD_TESTING)
  kb_tool_test(desktop_eintrag_gueltig desktop-file-validate desktop-file-utils
               "${KB_PACKAGING_DIR}/${KB_APP_ID}.desktop")
  kb_tool_test(desktop_eintrag_tafel_gueltig desktop-file-validate desktop-file-utils
               "${KB_PACKAGING_DIR}/${KB_APP_ID}.tafel.desktop")
  # The companion's entry, checked even before the companion is built.
  kb_tool_test(desktop_eintrag_bilder_gueltig desktop-file-validate desktop-file-utils
               "${KB_PACKAGING_DIR}/${KB_APP_ID}.bilder.desktop")
  # Hints are fine (the game's entry names two main categories on purpose);
  # errors and warnings are not.
  set_tests_properties(desktop_eintrag_gueltig desktop_eintrag_tafel_gueltig desktop_eintrag_bilder_gueltig
                       PROPERTIES FAIL_REGULAR_EXPRESSION "error:;warning:")
  kb_tool_test(metainfo_gueltig appstreamcli appstream
               validate --no-net --pedantic "${KB_PACKAGING_DIR}/${KB_APP_ID}.metainfo.xml")
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
click or automatically.

Teachers add or replace the pictures in /var/lib/kieselblick/bilder (the file
name is the word) as members of the group kieselblick, best with the companion
program kieselblick-bilder, which checks, repairs and fills the folder.
Upgrades never change that folder.")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE "${KB_DEB_RELEASE}")
# "education", not "games": the package is a reading trainer for school and
# holds a program for teachers that is no game. In "games" Debian wants the
# commands in /usr/games, and the companion would still belong in /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION "education")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The maintainer scripts keep the teachers' picture folder (see above); strict
# permissions give them mode 0755 whatever their mode in the source tree.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${KB_PACKAGING_DIR}/debian/preinst"
    "${KB_PACKAGING_DIR}/debian/postinst" "${KB_PACKAGING_DIR}/debian/postrm"
    "${KB_PACKAGING_DIR}/debian/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Qt loads its platform plugin (xcb, wayland) at run time, so no library
# dependency brings it in; postinst creates the group with addgroup.
# Qt's own texts (dialogs, context menus, the command line's help) come in
# German from qt6-translations-l10n.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, adduser")
find_program(KB_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KB_DPKG_SHLIBDEPS)
  # The library packages and their versions come from the linked libraries.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
         ", libqt6charts6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6core6 (>= 6.4)"
         ", libjpeg62-turbo, libpng16-16"
         ", libstdc++6, libc6")
endif()

# `package_source` packs the source tree alone, without build folders and git.
set(CPACK_SOURCE_GENERATOR "TGZ")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/" "/\\\\.cache/")

# A package always has the layout above; cpack stops in a build folder without it.
set(CPACK_KB_DEB_LAYOUT "${KB_DEB_LAYOUT}")
set(CPACK_PROJECT_CONFIG_FILE "${KB_PACKAGING_DIR}/cpack-layout.cmake")

include(CPack)
