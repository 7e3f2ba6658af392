# The Debian package, made by CPack from the install rules: `cpack -G DEB` in the build folder
# (scripts/package runs it). dpkg-shlibdeps works out the library dependencies from the binaries,
# which are stripped on the way in.
# The package needs the programs, not the tests: installing does not build everything first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lumivox)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Vorex)
set(CPACK_PACKAGE_CONTACT "Vorex <vorex@users.noreply.github.com>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prepare the memory cards of LED hymn boards")
set(CPACK_PACKAGE_DESCRIPTION "\
Lumivox keeps a parish's hymn texts and numbers and writes them to the memory
card of an LED hymn board. Songs are edited screen by screen as the board will
light them, gathered into playlists for a service and copied to the card
together with the board's fonts; whole cards are packed, restored and checked.
.
The package holds the desktop program lumivox, the command line lumivox-cli for
scripts and backups, the user guide in Polish and English, and a demo card.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# MIDI accompaniments play through a General MIDI sound font; this is the small one Debian has.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS timgm6mb-soundfont)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Only what the install rules name goes in; the build's own folders stay out of the package.
set(CPACK_SOURCE_IGNORE_FILES "/build.*/;/\\\\.git/")
include(CPack)
