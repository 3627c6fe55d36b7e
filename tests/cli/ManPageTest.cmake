# A manual page against the program's --help: every option the help prints
# (-h, --save, --dry-run, ...) is named in the page's OPTIONS section, every
# command the help lists (the first word of a line "  info FILE...") is a
# tagged entry of its COMMANDS section, and man renders the page without a
# warning.
#   cmake -DPROGRAM=... -DPAGE=... [-DREQUIRED=tok,tok] [-DSCRATCH=dir]
#         -P ManPageTest.cmake
# REQUIRED (separated by commas) are tokens the help must yield (so a help text the parser reads
# wrong fails here, not silently). SCRATCH is a data and runtime folder for a
# program that may make one. A program that does not answer --help with a
# usage (or does not end within the wait) fails the test.

cmake_minimum_required(VERSION 3.25)
find_program(man_program man REQUIRED)

# The page's text as man reads it: escapes of dashes, quotes and fonts
# resolved, so that "\-\-save" and "\fB\-\-save\fR" read --save.
function(page_text page out)
  file(READ "${page}" text)
  string(REPLACE "\\-" "-" text "${text}")
  string(REPLACE "\\(aq" "'" text "${text}")
  string(REGEX REPLACE "\\\\f[BIRP]" "" text "${text}")
  string(REPLACE "\"" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# The text of section NAME, up to the next .SH.
function(page_section text name out)
  string(FIND "${text}" "\n.SH ${name}\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "${PAGE}: no section ${name}")
  endif()
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(LENGTH "\n.SH ${name}\n" skip)
  string(SUBSTRING "${rest}" ${skip} -1 rest)
  string(FIND "${rest}" "\n.SH " end)
  string(SUBSTRING "${rest}" 0 ${end} section)
  set(${out} "${section}" PARENT_SCOPE)
endfunction()

# TOKEN standing alone in TEXT: not part of a longer option or word.
function(has_token text token out)
  # Tokens are letters, digits and dashes only: nothing to escape.
  if("${text}" MATCHES "(^|[^A-Za-z0-9_-])${token}([^A-Za-z0-9_-]|$)")
    set(${out} TRUE PARENT_SCOPE)
  else()
    set(${out} FALSE PARENT_SCOPE)
  endif()
endfunction()

set(environment LC_ALL=C.UTF-8)
if(SCRATCH)
  file(REMOVE_RECURSE "${SCRATCH}")
  file(MAKE_DIRECTORY "${SCRATCH}")
  file(CHMOD "${SCRATCH}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
  list(APPEND environment "XDG_DATA_HOME=${SCRATCH}" "XDG_RUNTIME_DIR=${SCRATCH}" "XDG_CONFIG_HOME=${SCRATCH}"
       "XDG_CACHE_HOME=${SCRATCH}"
       QT_QPA_PLATFORM=offscreen)
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E env ${environment} "${PROGRAM}" --help
                RESULT_VARIABLE result OUTPUT_VARIABLE help ERROR_VARIABLE help_error TIMEOUT 20)
if(SCRATCH)
  file(REMOVE_RECURSE "${SCRATCH}")
endif()
if(NOT result EQUAL 0 OR NOT help MATCHES "Usage: ")
  message(FATAL_ERROR "${PROGRAM} --help: status ${result}, no usage:\n${help}${help_error}")
endif()

# Options: every -x and --word in the help; commands: the first word of the
# lines that list one with its arguments ("  dump FILE [--save N] [--json]",
# "  keys [--json]").
# (Brackets become spaces first: in a CMake list they would hold elements together.)
string(REGEX REPLACE "[][;]" " " words "${help}")
string(REGEX MATCHALL "(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*" found "${words}")
set(options "")
foreach(match IN LISTS found)
  string(REGEX MATCH "--?[A-Za-z][A-Za-z0-9-]*$" option "${match}")
  list(APPEND options "${option}")
endforeach()
string(REGEX MATCHALL "\n  [a-z][a-z-]* +[A-Z-]" found "${words}")
set(commands "")
foreach(match IN LISTS found)
  string(REGEX REPLACE "^\n  ([a-z-]+) .*$" "\\1" command "${match}")
  list(APPEND commands "${command}")
endforeach()
list(REMOVE_DUPLICATES options)
list(REMOVE_DUPLICATES commands)
string(REPLACE "," ";" required "${REQUIRED}")
foreach(token IN LISTS required)
  if(NOT token IN_LIST options AND NOT token IN_LIST commands)
    message(FATAL_ERROR "${PROGRAM} --help yields no '${token}' (options: ${options}; commands: ${commands})")
  endif()
endforeach()

page_text("${PAGE}" text)
page_section("${text}" OPTIONS options_section)
foreach(option IN LISTS options)
  has_token("${options_section}" "${option}" present)
  if(NOT present)
    message(FATAL_ERROR "${PAGE}: OPTIONS does not name ${option}, which --help prints")
  endif()
endforeach()
if(commands)
  page_section("${text}" COMMANDS commands_section)
  string(REGEX REPLACE "[][;]" " " commands_section "${commands_section}")
  string(REGEX MATCHALL "\n\\.TP\n[^\n]*" tags "\n${commands_section}")
  set(tagged "")
  foreach(tag IN LISTS tags)
    string(REGEX REPLACE "^\n\\.TP\n(\\.[A-Z]+ +)?([a-z-]+).*$" "\\2" word "${tag}")
    list(APPEND tagged "${word}")
  endforeach()
  foreach(command IN LISTS commands)
    if(NOT command IN_LIST tagged)
      message(FATAL_ERROR "${PAGE}: COMMANDS has no entry for ${command}, which --help lists (entries: ${tagged})")
    endif()
  endforeach()
endif()
foreach(section NAME SYNOPSIS DESCRIPTION "EXIT STATUS" FILES ENVIRONMENT EXAMPLES)
  page_section("${text}" "${section}" ignored)
endforeach()

execute_process(COMMAND "${CMAKE_COMMAND}" -E env LC_ALL=C.UTF-8 MANWIDTH=80 "${man_program}" --warnings -l "${PAGE}"
                RESULT_VARIABLE result OUTPUT_VARIABLE rendered ERROR_VARIABLE warnings)
if(NOT result EQUAL 0 OR NOT warnings STREQUAL "" OR rendered STREQUAL "")
  message(FATAL_ERROR "man --warnings -l ${PAGE}: status ${result}\n${warnings}")
endif()
list(LENGTH options option_count)
list(LENGTH commands command_count)
message("${PAGE}: ${option_count} options and ${command_count} commands of --help named; man: no warning")
