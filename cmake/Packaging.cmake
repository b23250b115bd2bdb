# The Debian package: "cpack -G DEB" in a build folder. Dependencies are worked
# out from the libraries the programs link; the maintainer scripts refresh the
# desktop's MIME, menu and icon caches.
set(TESSARAN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging/debian)

# Debian wants the copyright and a compressed changelog in the package's doc folder.
add_custom_command(
    OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
    COMMAND gzip -9n -c ${TESSARAN_PACKAGING_DIR}/changelog > ${CMAKE_BINARY_DIR}/changelog.gz
    DEPENDS ${TESSARAN_PACKAGING_DIR}/changelog)
add_custom_target(tessaran_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${TESSARAN_PACKAGING_DIR}/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# Lintian's verdict on the shipped user guide, with the reason in the file.
install(FILES ${TESSARAN_PACKAGING_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tessaran)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaran)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TESSARAN V developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalogue for a private collection of kaleidoscopes")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "TESSARAN V developers <developers@tessaran.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform: without it, a Wayland desktop with no X11 beside it
# cannot show the program (the libraries found above hold only X11's).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "TESSARAN V keeps the records of a private kaleidoscope collection: name,
artist and studio, characteristics, where, when and for how much each
kaleidoscope was bought, comments and up to ten pictures.
.
It narrows, sorts and searches the collection, builds summary tables that
print or save as comma-separated text, and prints a record sheet per
kaleidoscope. The tessaran-rnd command checks and dumps collections for
scripts.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${TESSARAN_PACKAGING_DIR}/postinst ${TESSARAN_PACKAGING_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
