# Installs the build into a fresh prefix and checks that both programs, the
# menu entry and the icons land where a freedesktop menu looks for them.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P InstallLayoutTest.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

foreach(file bin/zovek bin/zovek-cli share/applications/zovek.desktop
             share/icons/hicolor/scalable/apps/zovek.svg
             share/icons/hicolor/256x256/apps/zovek.png
             share/icons/hicolor/48x48/apps/zovek.png)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()

file(STRINGS "${PREFIX}/share/applications/zovek.desktop" lines ENCODING UTF-8)
foreach(expected "[Desktop Entry]" "Type=Application" "Exec=zovek" "Icon=zovek" "Categories=Utility;"
                 "Name=Zovek Save Data Editor" "Name[ja]=Zovek セーブデータ変更ツール")
  list(FIND lines "${expected}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "zovek.desktop lacks the line: ${expected}")
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
