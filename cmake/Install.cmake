# Installing the editor and its companion, and the Debian package.
#
#   cmake --install build [--prefix /usr/local]
#   cd build && cpack -G DEB
#
# The .desktop entry, the icon and our file types go to the freedesktop places
# under the prefix, so the editor shows in the desktop's application menu and
# is offered for card images and single saves; the AppStream entry lets
# software centres list it. The manual pages, the machine-readable copyright
# file and the Debian changelog go where Debian puts them; in the package the
# manual pages are compressed as Debian's policy asks. zovek-cli's bash
# completion goes where bash-completion finds it by the command's name.
include(GNUInstallDirs)

if(TARGET zovek)
  install(TARGETS zovek RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} BUNDLE DESTINATION .)
endif()
if(TARGET zovek-cli)
  install(TARGETS zovek-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(zovek_packaging ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${zovek_packaging}/zovek.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${zovek_packaging}/zovek-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${zovek_packaging}/icons/zovek.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${zovek_packaging}/icons/zovek-256.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps RENAME zovek.png)
install(FILES ${zovek_packaging}/icons/zovek-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME zovek.png)
install(FILES ${zovek_packaging}/io.github.zovek_editor.zovek.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${zovek_packaging}/man/zovek.1 ${zovek_packaging}/man/zovek-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${zovek_packaging}/completion/zovek-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${PROJECT_SOURCE_DIR}/docs/cli.md ${zovek_packaging}/debian/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zovek)

# The changelog in Debian's format, signed by the maintainer, compressed as
# Debian's tools do it (best compression, no name or time stamp in the file,
# so that two builds give the same bytes).
find_program(ZOVEK_GZIP gzip)
if(ZOVEK_GZIP)
  set(zovek_changelog_dir ${PROJECT_BINARY_DIR}/packaging)
  configure_file(${zovek_packaging}/debian/changelog.in ${zovek_changelog_dir}/changelog.in @ONLY)
  add_custom_command(OUTPUT ${zovek_changelog_dir}/changelog.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${zovek_changelog_dir}/changelog.in ${zovek_changelog_dir}/changelog
                     COMMAND ${ZOVEK_GZIP} -9nf ${zovek_changelog_dir}/changelog
                     DEPENDS ${zovek_changelog_dir}/changelog.in
                     COMMENT "Compressing the Debian changelog" VERBATIM)
  add_custom_target(zovek_changelog ALL DEPENDS ${zovek_changelog_dir}/changelog.gz)
  install(FILES ${zovek_changelog_dir}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zovek)
  # Compresses the manual pages in the package's staging tree.
  set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/CPackCompressManPages.cmake)
  set(CPACK_ZOVEK_GZIP ${ZOVEK_GZIP})
endif()

set(CPACK_PACKAGE_NAME zovek)
set(CPACK_PACKAGE_VENDOR "Zovek editor developers")
set(CPACK_PACKAGE_CONTACT "${ZOVEK_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Save-data editor for the role-playing game Zovek")
# Debian shows the description as it is, lines of at most 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Opens memory-card images and single-save files of Zovek, edits the"
       "characters, techniques, scenario states, roles, party, items and header"
       "values of one save in a Japanese window, and writes the save back with a"
       "fresh checksum after a backup of the file."
       "zovek-cli reads the same files from a terminal (info, dump as text or"
       "JSON, verify, diff of two saves, keys) and writes values into a save as"
       "the window does (set, apply).")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY zovek)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZOVEK_PACKAGE_MAINTAINER}")
# Folders of the package as Debian wants them, whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
# The Qt 6 runtime the two programs link (and the platform plugins the window
# needs, and Qt Network), Qt's own Japanese
# translation (else the message boxes' buttons read "Yes"/"No"), and the
# Japanese font the window is laid out with. The desktop's databases of menu
# entries and file types are brought up to date by those packages' triggers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), qt6-qpa-plugins (>= 6.4), qt6-translations-l10n, fonts-ipafont-gothic, libc6, libstdc++6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
