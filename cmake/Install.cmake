# Installing the editor and its companion, and the Debian package.
#
#   cmake --install build [--prefix /usr/local]
#   cd build && cpack -G DEB
#
# The .desktop entry, the icon and our file types go to the freedesktop places
# under the prefix, so the editor shows in the desktop's application menu and
# is offered for card images and single saves.
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
install(FILES ${PROJECT_SOURCE_DIR}/docs/cli.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zovek)

set(CPACK_PACKAGE_NAME zovek)
set(CPACK_PACKAGE_VENDOR "Zovek editor developers")
set(CPACK_PACKAGE_CONTACT "Zovek editor developers <zovek-editor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Save-data editor for the role-playing game Zovek")
set(CPACK_PACKAGE_DESCRIPTION
    "Opens memory-card images and single-save files of Zovek, edits characters, techniques, scenario states, roles, party, items and header values in one Japanese window, and writes the save back with a fresh checksum. zovek-cli reads the same files from a terminal: info, dump (text or JSON) and verify.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_INSTALL_DIRECTORY zovek)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The Qt 6 runtime the two programs link (and the platform plugins the window
# needs, and Qt Network), Qt's own Japanese
# translation (else the message boxes' buttons read "Yes"/"No"), and the
# Japanese font the window is laid out with. The desktop's databases of menu
# entries and file types are brought up to date by those packages' triggers.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6network6 (>= 6.4), qt6-qpa-plugins (>= 6.4), qt6-translations-l10n, fonts-ipafont-gothic, libc6, libstdc++6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)
