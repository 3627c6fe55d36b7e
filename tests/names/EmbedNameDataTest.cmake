# Runs the name-data embedding step on small files of its own and checks that
# bad files stop it with a message naming the file and the counts, and that a
# good file with a byte order mark, CRLF line ends, comments and awkward
# characters gives exactly the expected literals.
#
#   cmake -DEMBED_SCRIPT=<EmbedNameData.cmake> -DWORK_DIR=<temp dir> -P EmbedNameDataTest.cmake

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
set(failures "")

string(ASCII 239 187 191 bom)
string(ASCII 13 cr)
string(ASCII 1 ctrl)

# embed(<data file name> <content> <result var> <message var> <args>...)
function(embed name content result_var message_var)
  file(WRITE "${WORK_DIR}/${name}" "${content}")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DINPUT=${WORK_DIR}/${name} -DOUTPUT=${WORK_DIR}/${name}.cpp
            -DSYMBOL=table ${ARGN} -P ${EMBED_SCRIPT}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(${result_var} "${result}" PARENT_SCOPE)
  set(${message_var} "${out}${err}" PARENT_SCOPE)
endfunction()

function(expect_failure case_name result text)
  if(result EQUAL 0)
    set(failures "${failures}\n${case_name}: the step succeeded" PARENT_SCOPE)
    return()
  endif()
  foreach(wanted IN LISTS ARGN)
    string(FIND "${text}" "${wanted}" at)
    if(at LESS 0)
      set(failures "${failures}\n${case_name}: message lacks '${wanted}':\n${text}" PARENT_SCOPE)
      return()
    endif()
  endforeach()
endfunction()

# Too few and too many entries.
embed(short_items.txt "# items\nアルファ\n\nベータ\n" result text -DEXPECTED=3)
expect_failure(short "${result}" "${text}" "short_items.txt" "expected 3 entries, found 2")
if(EXISTS "${WORK_DIR}/short_items.txt.cpp")
  set(failures "${failures}\nshort: output written for a rejected file")
endif()
embed(long_items.txt "a\nb\nc\nd\n" result text -DEXPECTED=3)
expect_failure(long "${result}" "${text}" "long_items.txt" "expected 3 entries, found 4")

# Lists: one entry moved from the first list to the second keeps the total
# right but is caught in both lists.
string(HEX "一" h1)
string(HEX "二" h2)
set(list_args -DEXPECTED=4 -DLIST_COUNTS=2,2 -DLIST_HEADINGS_HEX=${h1},${h2})
embed(lists.txt "# 一\na\n# 二\nb\nc\nd\n" result text ${list_args})
expect_failure(lists "${result}" "${text}" "lists.txt" "list '一': expected 2 entries, found 1"
               "list '二': expected 2 entries, found 3")
embed(no_heading.txt "# 一\na\nb\nc\nd\n" result text ${list_args})
expect_failure(no_heading "${result}" "${text}" "no_heading.txt" "heading '# 二' not found")
embed(lists_ok.txt "# 一\na\nb\n\n# 二\n# a remark\nc\nd\n" result text ${list_args})
if(NOT result EQUAL 0)
  set(failures "${failures}\nlists_ok: rejected:\n${text}")
endif()

# Duplicates are refused only where asked for.
embed(dup.txt "火球\n水\n火球\n" result text -DEXPECTED=3 -DUNIQUE=ON)
expect_failure(dup "${result}" "${text}" "dup.txt" "duplicate name '火球'" "line 3" "first on line 1")
embed(dup_allowed.txt "火球\n水\n火球\n" result text -DEXPECTED=3)
if(NOT result EQUAL 0)
  set(failures "${failures}\ndup_allowed: rejected:\n${text}")
endif()

# Broken text.
embed(control.txt "a${ctrl}b\n" result text -DEXPECTED=1)
expect_failure(control "${result}" "${text}" "control.txt" "line 1")

# A good file written on another system: BOM, CRLF, indented comment, blank
# lines, surrounding blanks, and the characters that need escaping in C++.
embed(good.txt "${bom}\"Q\\uote\"${cr}\n  # note${cr}\n${cr}\n\tアイ 2 ${cr}\n?!;[x]${cr}\n" result text -DEXPECTED=3)
if(NOT result EQUAL 0)
  set(failures "${failures}\ngood: rejected:\n${text}")
else()
  file(READ "${WORK_DIR}/good.txt.cpp" code)
  string(REGEX MATCHALL "\"[^\n]*\"sv" literals "${code}")
  # "Q\uote" with its quotes; "アイ 2"; "?!;[x]".
  set(expected
    [["\042Q\134uote\042"sv]]
    [["\343\202\242\343\202\244 2"sv]]
    [["\077\041\073\133x\135"sv]])
  if(NOT literals STREQUAL expected)
    set(failures "${failures}\ngood: literals are\n${literals}\nexpected\n${expected}")
  endif()
  if(NOT code MATCHES "kListSizes\\[\\] = {3};")
    set(failures "${failures}\ngood: list size missing:\n${code}")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "Name data embedding checks failed:${failures}")
endif()
message(STATUS "Name data embedding checks passed")
