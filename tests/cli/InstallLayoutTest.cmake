# Installs the build into a fresh prefix and checks that both programs, the
# menu entry, the icons and the file types land where a freedesktop desktop
# looks for them, that the entry is valid and opens files, and that the types
# tell our files from PostScript.
#   cmake -DBUILD_DIR=... -DPREFIX=... -DEXAMPLES_DIR=... -P InstallLayoutTest.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file bin/zovek bin/zovek-cli share/applications/zovek.desktop share/mime/packages/zovek-mime.xml
             share/icons/hicolor/scalable/apps/zovek.svg
             share/icons/hicolor/256x256/apps/zovek.png
             share/icons/hicolor/48x48/apps/zovek.png)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/zovek.desktop" lines ENCODING UTF-8)
foreach(expected "[Desktop Entry]" "Type=Application" "Exec=zovek %f" "Icon=zovek" "Categories=Utility;"
                 "MimeType=application/x-zovek-card-image;application/x-zovek-single-save;"
                 "Name=Zovek Save Data Editor" "Name[ja]=Zovek セーブデータ変更ツール")
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
# desktop's own look-up (magic of priority 80 before globs) sees them.
find_program(update_mime_database update-mime-database REQUIRED)
find_program(mimetype_program mimetype REQUIRED)
execute_process(COMMAND "${update_mime_database}" "${PREFIX}/share/mime" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "update-mime-database failed on the installed types: ${result}")
endif()
set(probe "${PREFIX}/mime-probe")
file(MAKE_DIRECTORY "${probe}")
file(COPY_FILE "${EXAMPLES_DIR}/demo.mcr" "${probe}/card")                 # by content alone
file(COPY_FILE "${EXAMPLES_DIR}/demo.mcr" "${probe}/card.ps")              # content over the PostScript name
file(COPY_FILE "${EXAMPLES_DIR}/demo-single.ps" "${probe}/single")
file(WRITE "${probe}/gme" "123-456-STD")
file(WRITE "${probe}/named.mcd" "by its name alone")
file(WRITE "${probe}/paper.ps" "%!PS-Adobe-3.0\n%%Title: not a save\nshowpage\n")
foreach(case "${EXAMPLES_DIR}/demo.mcr=application/x-zovek-card-image"
             "${EXAMPLES_DIR}/demo-single.ps=application/x-zovek-single-save"
             "${probe}/card=application/x-zovek-card-image"
             "${probe}/card.ps=application/x-zovek-card-image"
             "${probe}/single=application/x-zovek-single-save"
             "${probe}/gme=application/x-zovek-card-image"
             "${probe}/named.mcd=application/x-zovek-card-image"
             "${probe}/paper.ps=application/postscript")
  string(REGEX REPLACE "=[^=]*$" "" path "${case}")
  string(REGEX REPLACE "^.*=" "" expected_type "${case}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${PREFIX}/share" "XDG_DATA_DIRS=/usr/share"
                          "${mimetype_program}" -b "${path}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE type OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT result EQUAL 0 OR NOT type STREQUAL expected_type)
    message(FATAL_ERROR "${path} is taken for '${type}', not ${expected_type}")
  endif()
endforeach()

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

execute_process(COMMAND "${PREFIX}/bin/zovek-cli" --version RESULT_VARIABLE result OUTPUT_VARIABLE version)
if(NOT result EQUAL 0 OR NOT version MATCHES "^zovek-cli [0-9]")
  message(FATAL_ERROR "installed zovek-cli does not run: ${result} ${version}")
endif()
file(REMOVE_RECURSE "${PREFIX}")
