# How Veltrane is installed and packaged. `cmake --install <build> --prefix <P>` gives
#   <P>/bin/veltrane                      the program
#   <P>/share/veltrane/                   the read-only game folder: data/, Images/, Music/, Sounds/
#   <P>/share/applications, metainfo, icons/hicolor, man/man6, doc/veltrane
# The program finds its game folder as ../share/veltrane from its own folder, so both places are
# fixed here rather than taken from GNUInstallDirs. `cpack -G DEB` packages the same tree.

# One application id names the desktop entry, the icons and the metainfo.
set(VELTRANE_APP_ID org.quillomar.veltrane)
set(VELTRANE_HOMEPAGE "https://quillomar.org/veltrane" CACHE STRING "The game's web page")
set(VELTRANE_MAINTAINER "Quillomar <veltrane@quillomar.org>" CACHE STRING "The package's maintainer")
set(VELTRANE_RELEASE_DATE 2026-12-07)

set(VELTRANE_PACKAGING_DIR ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/veltrane.desktop.in
               ${VELTRANE_PACKAGING_DIR}/${VELTRANE_APP_ID}.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/veltrane.metainfo.xml.in
               ${VELTRANE_PACKAGING_DIR}/${VELTRANE_APP_ID}.metainfo.xml @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/veltrane.6.in ${VELTRANE_PACKAGING_DIR}/veltrane.6 @ONLY)

# Compressed as Debian wants them; gzip -n keeps the bytes the same on every build.
find_program(VELTRANE_GZIP gzip REQUIRED)
foreach(pair "veltrane.6|${VELTRANE_PACKAGING_DIR}/veltrane.6"
             "changelog|${PROJECT_SOURCE_DIR}/packaging/changelog")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 source)
  add_custom_command(OUTPUT ${VELTRANE_PACKAGING_DIR}/${name}.gz
    COMMAND ${VELTRANE_GZIP} -9n -c ${source} > ${VELTRANE_PACKAGING_DIR}/${name}.gz
    DEPENDS ${source} VERBATIM)
endforeach()

# The icons come from assetgen, like every other picture of the game.
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/icons.stamp
  COMMAND assetgen --icons ${PROJECT_BINARY_DIR}/icons ${VELTRANE_APP_ID}
  COMMAND ${CMAKE_COMMAND} -E touch ${PROJECT_BINARY_DIR}/icons.stamp
  DEPENDS assetgen
  COMMENT "Making the desktop icons")
add_custom_target(install_files ALL DEPENDS ${PROJECT_BINARY_DIR}/icons.stamp
  ${VELTRANE_PACKAGING_DIR}/veltrane.6.gz ${VELTRANE_PACKAGING_DIR}/changelog.gz)

# Folders as dpkg expects them, whatever the umask of the build.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS veltrane RUNTIME DESTINATION bin)
# The game folder without anything a game played in the build folder may have written there.
install(DIRECTORY ${VELTRANE_GAME_DIR}/data ${VELTRANE_GAME_DIR}/Images ${VELTRANE_GAME_DIR}/Music
                  ${VELTRANE_GAME_DIR}/Sounds
        DESTINATION share/veltrane
        PATTERN "Save*.dat" EXCLUDE PATTERN "Hiscores.dat" EXCLUDE PATTERN "*.bmp" EXCLUDE
        PATTERN "*.dat.*" EXCLUDE PATTERN "*.bmp.*" EXCLUDE)
install(FILES ${VELTRANE_PACKAGING_DIR}/${VELTRANE_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${VELTRANE_PACKAGING_DIR}/${VELTRANE_APP_ID}.metainfo.xml DESTINATION share/metainfo)
# Named one by one, so an icon left from an older build never slips in.
foreach(size 32 48 64 128 256)
  install(FILES ${PROJECT_BINARY_DIR}/icons/${size}x${size}/apps/${VELTRANE_APP_ID}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${VELTRANE_PACKAGING_DIR}/veltrane.6.gz DESTINATION share/man/man6)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${VELTRANE_PACKAGING_DIR}/changelog.gz
        DESTINATION share/doc/veltrane)

# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME veltrane)
set(CPACK_PACKAGE_VENDOR Quillomar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${VELTRANE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D cube puzzle game")
# Lines of at most 80 characters, as the control file wants them.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Veltrane is a puzzle game played on a board of 9 x 9 cells seen from above."
  "Select a cube and click a free cell: it travels there along the shortest free"
  "path. Four cubes of one colour standing as a 2 x 2 square vanish and score,"
  "and consecutive scoring moves build combos."
  ""
  "Jokers, bombs, colour changers, shot cubes and blocks change the rules as the"
  "levels go on. There are 100 levels in two modes, the second one against the"
  "clock, with saved games, high scores, music and sound.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${VELTRANE_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Debian's place for games is /usr/games (lintian insists); the move happens in the staged tree.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/packaging/DebianGames.cmake)
# Control files as dpkg expects them, whatever the umask of the build.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
