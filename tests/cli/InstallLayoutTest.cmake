# Installs the build into a fresh prefix and checks that both programs, the
# menu entry, the icons and the file types land where a freedesktop desktop
# looks for them, that the entry is valid and opens files, and that the types
# tell our files from PostScript; that the manual pages, the AppStream entry,
# the copyright file, the changelog and the bash completion are where Debian's
# conventions put them, the AppStream entry passes appstreamcli's validation
# and names what is installed, and man renders the installed pages without a
# warning.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DEXAMPLES_DIR=... -DMKCARD=zovek-mkcard -P InstallLayoutTest.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file bin/zovek bin/zovek-cli share/applications/zovek.desktop share/mime/packages/zovek-mime.xml
             share/icons/hicolor/scalable/apps/zovek.svg
             share/icons/hicolor/256x256/apps/zovek.png
             share/icons/hicolor/48x48/apps/zovek.png
             share/man/man1/zovek.1 share/man/man1/zovek-cli.1
             share/metainfo/io.github.zovek_editor.zovek.metainfo.xml
             share/doc/zovek/copyright share/doc/zovek/changelog.gz
             share/bash-completion/completions/zovek-cli)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/zovek.desktop" lines ENCODING UTF-8)
foreach(expected "[Desktop Entry]" "Type=Application" "Exec=zovek %f" "Icon=zovek" "Categories=Utility;"
                 "MimeType=application/x-zovek-card-image;application/x-zovek-single-save;"
                 "Name=Zovek Save Data Editor" "Name[ja]=Zovek セーブデータ変更ツール"
                 "Actions=english;japanese;" "[Desktop Action english]" "Exec=zovek --language en %f"
                 "Name=English window" "[Desktop Action japanese]" "Exec=zovek --language ja %f"
                 "Name=日本語のウィンドウ")
  list(FIND lines "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zovek.desktop lacks the line: ${expected}")
  endif()
endforeach()

find_program(desktop_file_validate desktop-file-validate REQUIRED)
execute_process(COMMAND "${desktop_file_validate}" "${PREFIX}/share/applications/zovek.desktop"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "desktop-file-validate rejects zovek.desktop: ${report}")
endif()

# The installed types, built into a MIME database under the prefix, as the
# desktop's own look-ups (mimetype, and GIO as file managers use it) see them:
# every glob name by its name, every headed form by its content under a name
# that says nothing, and what only looks like one as something else.
find_program(update_mime_database update-mime-database REQUIRED)
find_program(mimetype_program mimetype REQUIRED)
find_program(gio_program gio REQUIRED)
execute_process(COMMAND "${update_mime_database}" "${PREFIX}/share/mime" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "update-mime-database failed on the installed types: ${result}")
endif()
set(probe "${PREFIX}/mime-probe")
set(card application/x-zovek-card-image)
set(single application/x-zovek-single-save)
file(MAKE_DIRECTORY "${probe}")
set(cases "${EXAMPLES_DIR}/demo.mcr=${card}" "${EXAMPLES_DIR}/demo-single.ps=${single}")
foreach(form card gme gme-blank vgs vmp single header54 psv)
  set(kind ${card})
  set(plain "${EXAMPLES_DIR}/demo.mcr")
  if(form MATCHES "^(single|header54|psv)$")
    set(kind ${single})
    set(plain "${EXAMPLES_DIR}/demo-single.ps")
  endif()
  execute_process(COMMAND "${MKCARD}" wrap ${form} "${plain}" "${probe}/${form}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "zovek-mkcard wrap ${form} failed: ${result}")
  endif()
  list(APPEND cases "${probe}/${form}=${kind}")
endforeach()
file(READ "${PREFIX}/share/mime/packages/zovek-mime.xml" mime_text)
foreach(kind ${card} ${single})
  string(REGEX MATCH "<mime-type type=\"${kind}\">.*</mime-type>" section "${mime_text}")
  string(REGEX REPLACE "</mime-type>.*" "" section "${section}")
  string(REGEX MATCHALL "<glob pattern=\"\\*\\.[^\"]*" globs "${section}")
  foreach(glob IN LISTS globs)
    string(REGEX REPLACE "^.*\\*" "" extension "${glob}")
    file(WRITE "${probe}/named${extension}" "by its name alone")
    list(APPEND cases "${probe}/named${extension}=${kind}")
  endforeach()
endforeach()
file(COPY_FILE "${EXAMPLES_DIR}/demo.mcr" "${probe}/card.ps")              # content over the PostScript name
file(WRITE "${probe}/paper.ps" "%!PS-Adobe-3.0\n%%Title: not a save\nshowpage\n")
string(RANDOM LENGTH 131072 noise)
file(WRITE "${probe}/noise.bin" "${noise}")                                 # a card's length, not a card
list(APPEND cases "${probe}/card.ps=${card}" "${probe}/paper.ps=application/postscript")
foreach(case IN LISTS cases)
  string(REGEX REPLACE "=[^=]*$" "" path "${case}")
  string(REGEX REPLACE "^.*=" "" expected_type "${case}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${PREFIX}/share" "XDG_DATA_DIRS=/usr/share"
                          "${mimetype_program}" -b "${path}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE type OUTPUT_STRIP_TRAILING_WHITESPACE)
  # GIO takes a name that one glob alone claims at its word (".ps" is
  # PostScript's) and looks at the content only otherwise.
  set(gio_report "standard::content-type: ${expected_type}\n")
  set(gio_result 0)
  if(NOT path MATCHES "\\.ps$")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${PREFIX}/share" "XDG_DATA_DIRS=/usr/share"
                            "${gio_program}" info -a standard::content-type "${path}"
                    RESULT_VARIABLE gio_result OUTPUT_VARIABLE gio_report)
  endif()
  if(NOT result EQUAL 0 OR NOT type STREQUAL expected_type OR NOT gio_result EQUAL 0
     OR NOT gio_report MATCHES "standard::content-type: ${expected_type}\n")
    message(FATAL_ERROR "${path} is taken for '${type}' (GIO: ${gio_report}), not ${expected_type}")
  endif()
endforeach()
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${PREFIX}/share" "XDG_DATA_DIRS=/usr/share"
                        "${gio_program}" info -a standard::content-type "${probe}/noise.bin"
                OUTPUT_VARIABLE gio_report)
if(gio_report MATCHES "x-zovek")
  message(FATAL_ERROR "noise of a card's length is taken for ours: ${gio_report}")
endif()

# The PNG icons are real PNG files of their size (width and height in the IHDR chunk).
foreach(size 256 48)
  file(READ "${PREFIX}/share/icons/hicolor/${size}x${size}/apps/zovek.png" header LIMIT 24 HEX)
  string(SUBSTRING "${header}" 0 16 signature)
  string(SUBSTRING "${header}" 32 8 width)
  math(EXPR width_value "0x${width}")
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT width_value EQUAL size)
    message(FATAL_ERROR "zovek.png of ${size}x${size} is not a PNG of that width")
  endif()
endforeach()

# The copyright file in Debian's machine-readable format, the licence by its
# short name and the place of its full text on Debian systems.
file(READ "${PREFIX}/share/doc/zovek/copyright" copyright)
foreach(expected "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                 "\nFiles: \\*\nCopyright: [^\n]+\nLicense: GPL-3\\+\n" "\nLicense: GPL-3\\+\n"
                 "/usr/share/common-licenses/GPL-3")
  if(NOT copyright MATCHES "${expected}")
    message(FATAL_ERROR "the copyright file lacks ${expected}")
  endif()
endforeach()

# The AppStream entry: valid, and naming the installed menu entry, both
# installed programs and exactly the file types the installed types define.
set(metainfo "${PREFIX}/share/metainfo/io.github.zovek_editor.zovek.metainfo.xml")
find_program(appstreamcli appstreamcli REQUIRED)
execute_process(COMMAND "${appstreamcli}" validate --no-net "${metainfo}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate --no-net rejects the metainfo file:\n${report}")
endif()
file(READ "${metainfo}" metainfo_text)
string(REGEX MATCHALL "<launchable type=\"desktop-id\">[^<]*" launchables "${metainfo_text}")
string(REGEX MATCHALL "<binary>[^<]*" binaries "${metainfo_text}")
foreach(entry IN LISTS launchables binaries)
  string(REGEX REPLACE "^.*>" "" name "${entry}")
  if(NOT EXISTS "${PREFIX}/share/applications/${name}" AND NOT EXISTS "${PREFIX}/bin/${name}")
    message(FATAL_ERROR "the metainfo file names ${name}, which is not installed")
  endif()
endforeach()
list(LENGTH binaries binary_count)
list(LENGTH launchables launchable_count)
if(NOT binary_count EQUAL 2 OR NOT launchable_count EQUAL 1)
  message(FATAL_ERROR "the metainfo file provides ${binaries} and launches ${launchables}")
endif()
string(REGEX MATCHALL "<mediatype>[^<]*" provided "${metainfo_text}")
string(REGEX REPLACE "<mediatype>" "" provided "${provided}")
file(READ "${PREFIX}/share/mime/packages/zovek-mime.xml" mime_text)
string(REGEX MATCHALL "<mime-type type=\"[^\"]*" defined "${mime_text}")
string(REGEX REPLACE "<mime-type type=\"" "" defined "${defined}")
list(SORT provided)
list(SORT defined)
if(NOT provided STREQUAL defined)
  message(FATAL_ERROR "the metainfo file provides the types ${provided}, the installed types are ${defined}")
endif()

# The installed manual pages as man shows them.
find_program(man_program man REQUIRED)
foreach(page zovek zovek-cli)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 MANWIDTH=80
                          "${man_program}" --warnings -l "${PREFIX}/share/man/man1/${page}.1"
                  RESULT_VARIABLE result OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
  if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR NOT rendered MATCHES "NAME\n +${page} - ")
    message(FATAL_ERROR "man --warnings -l ${page}.1: status ${result}\n${warnings}")
  endif()
endforeach()

execute_process(COMMAND "${PREFIX}/bin/zovek-cli" --version RESULT_VARIABLE result OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "^zovek-cli [0-9]")
  message(FATAL_ERROR "installed zovek-cli does not run: ${result} ${version}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
