# Checks that translations/zovek_en.ts holds every text of the window, each
# translated, and nothing else: lupdate reads the sources into a copy of the
# file (the tracked one is never written), and the copy must come out
# unchanged, with no unfinished, vanished or obsolete entry.
#   cmake -DLUPDATE=<lupdate> -DTS=<zovek_en.ts> -DSOURCES=<list file>
#         -DOPTIONS=<options, |-separated> -DWORK_DIR=<dir> -P TranslationsComplete.cmake
string(REPLACE "|" ";" OPTIONS "${OPTIONS}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(copy "${WORK_DIR}/zovek_en.ts")
file(COPY_FILE "${TS}" "${copy}")
execute_process(COMMAND "${LUPDATE}" "@${SOURCES}" ${OPTIONS} -ts "${copy}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message(STATUS "${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed (${result})")
endif()
file(READ "${copy}" updated)
foreach(kind unfinished vanished obsolete)
  string(FIND "${updated}" "type=\"${kind}\"" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "zovek_en.ts has ${kind} entries: run the zovek_gui_lupdate target and translate them")
  endif()
endforeach()
file(READ "${TS}" tracked)
if(NOT updated STREQUAL tracked)
  execute_process(COMMAND diff -u "${TS}" "${copy}")
  message(FATAL_ERROR "lupdate changes zovek_en.ts: it is not up to date with the sources")
endif()
