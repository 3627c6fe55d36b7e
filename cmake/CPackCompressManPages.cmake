# Run by cpack once the package's files are staged: compresses every manual
# page as Debian's policy asks (gzip -9n: best compression, no name or time
# stamp). `cmake --install` leaves them uncompressed.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/man*/*.[1-9]")
foreach(page IN LISTS pages)
  execute_process(COMMAND "${CPACK_ZOVEK_GZIP}" -9nf "${page}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "cannot compress ${page}: ${result}")
  endif()
endforeach()
if(NOT pages)
  message(FATAL_ERROR "no manual page in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
