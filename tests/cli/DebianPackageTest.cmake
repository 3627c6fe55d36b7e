# Builds the Debian package as a packager would (cpack -G DEB) into a scratch
# folder and checks it: lintian reports no error and no warning (but those
# about the placeholder maintainer address, while it is the one configured),
# the manual pages and the changelog are compressed as Debian's tools do it
# (best compression, no file name, no time stamp), the copyright file, the
# AppStream entry and the bash completion are in, and the maintainer the build
# was configured with signs both the control file and the changelog.
#   cmake -DCPACK=... -DBUILD_DIR=... -DSCRATCH=... -DMAINTAINER=... -DVERSION=... -P DebianPackageTest.cmake
cmake_minimum_required(VERSION 3.25)
find_program(gzip_program gzip REQUIRED)
find_program(dpkg_deb dpkg-deb REQUIRED)
find_program(lintian lintian REQUIRED)

file(REMOVE_RECURSE "${SCRATCH}")
file(MAKE_DIRECTORY "${SCRATCH}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${SCRATCH}"
                RESULT_VARIABLE result OUTPUT_VARIABLE report ERROR_VARIABLE report)
file(GLOB packages "${SCRATCH}/*.deb")
list(LENGTH packages package_count)
if(NOT result EQUAL 0 OR NOT package_count EQUAL 1)
  message(FATAL_ERROR "cpack -G DEB failed (${result}):\n${report}")
endif()
set(package "${packages}")

execute_process(COMMAND "${dpkg_deb}" -f "${package}" Maintainer Version
                OUTPUT_VARIABLE fields OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT fields STREQUAL "Maintainer: ${MAINTAINER}\nVersion: ${VERSION}")
  message(FATAL_ERROR "the package's control fields are\n${fields}\nnot those of ${MAINTAINER}, ${VERSION}")
endif()

set(tree "${SCRATCH}/tree")
execute_process(COMMAND "${dpkg_deb}" -x "${package}" "${tree}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "dpkg-deb -x failed: ${result}")
endif()
file(GLOB bare_pages "${tree}/usr/share/man/man1/*.1")
if(bare_pages)
  message(FATAL_ERROR "uncompressed manual pages in the package: ${bare_pages}")
endif()
foreach(file usr/share/doc/zovek/copyright usr/share/metainfo/io.github.zovek_editor.zovek.metainfo.xml
             usr/share/bash-completion/completions/zovek-cli)
  if(NOT EXISTS "${tree}/${file}")
    message(FATAL_ERROR "not in the package: ${file}")
  endif()
endforeach()
# A gzip header as gzip -9n writes it: deflate, no flags (so no file name),
# a zero time stamp, "best compression" in the extra flags.
foreach(file usr/share/man/man1/zovek.1.gz usr/share/man/man1/zovek-cli.1.gz usr/share/doc/zovek/changelog.gz)
  if(NOT EXISTS "${tree}/${file}")
    message(FATAL_ERROR "not in the package: ${file}")
  endif()
  file(READ "${tree}/${file}" header LIMIT 9 HEX)
  if(NOT header STREQUAL "1f8b08000000000002")
    message(FATAL_ERROR "${file} is not compressed as gzip -9n does it: header ${header}")
  endif()
endforeach()

# The changelog: one entry for this version, signed by the maintainer.
execute_process(COMMAND "${gzip_program}" -dc "${tree}/usr/share/doc/zovek/changelog.gz" OUTPUT_VARIABLE text)
string(REGEX MATCHALL "(^|\n)zovek \\([^)]*\\) " entries "${text}")
list(LENGTH entries entry_count)
string(FIND "${text}" "\n -- ${MAINTAINER}  " signature)
if(NOT text MATCHES "^zovek \\(${VERSION}\\) unstable; urgency=medium\n" OR NOT entry_count EQUAL 1
   OR signature EQUAL -1)
  message(FATAL_ERROR "the changelog is not one entry for ${VERSION} signed by ${MAINTAINER}:\n${text}")
endif()

# lintian on the package. Only the placeholder address may draw a complaint,
# and only while it is the address the build is configured with.
execute_process(COMMAND "${lintian}" "${package}" OUTPUT_VARIABLE tags ERROR_QUIET)
string(REGEX MATCHALL "(^|\n)[EW]: [^\n]*" complaints "${tags}")
set(placeholder_host "example.invalid")
foreach(line IN LISTS complaints)
  string(STRIP "${line}" line)
  string(FIND "${line}" "${placeholder_host}" about_placeholder)
  string(FIND "${MAINTAINER}" "@${placeholder_host}>" placeholder_configured)
  if(about_placeholder EQUAL -1 OR placeholder_configured EQUAL -1)
    message(FATAL_ERROR "lintian ${package}:\n${tags}")
  endif()
endforeach()
if(tags STREQUAL "")
  set(tags "no tag shown\n")
endif()
message("lintian: ${tags}")
file(REMOVE_RECURSE "${SCRATCH}")
