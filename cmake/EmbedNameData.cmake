# Turns one name data file into a C++ source that holds its entries as string
# literals, so the names ship inside the program.
#
#   cmake -DINPUT=<data file> -DOUTPUT=<generated .cpp> -DSYMBOL=<C++ name>
#         -DEXPECTED=<entries in the file>
#         [-DLIST_COUNTS=<n1>,<n2>,...  -DLIST_HEADINGS_HEX=<hex1>,<hex2>,...]
#         [-DUNIQUE=ON]
#         -P EmbedNameData.cmake
#
# Data file format: UTF-8 (a byte order mark is allowed), LF or CRLF line ends,
# one entry per line. Spaces and tabs around an entry are dropped. Blank lines
# and lines whose first non-blank character is "#" are skipped.
#
# With LIST_COUNTS the entries form consecutive lists; each list starts after a
# heading comment "# <heading>" whose text is given, hex-encoded (string(HEX)),
# in LIST_HEADINGS_HEX, so that a missing or misplaced entry is caught in the
# list it belongs to rather than shifting every later list. With UNIQUE no
# entry may occur twice.
#
# Any fault stops the build with a message that names the file and, for a
# wrong number of entries, the expected and the found count.
#
# Every byte that is not an ASCII letter, digit or space is written as a
# three-digit octal escape: the generated source is plain ASCII whatever the
# compiler's source character set, and an octal escape can never swallow the
# character after it.

cmake_minimum_required(VERSION 3.25)

foreach(required INPUT OUTPUT SYMBOL EXPECTED)
  if(NOT DEFINED ${required} OR "${${required}}" STREQUAL "")
    message(FATAL_ERROR "EmbedNameData: ${required} is not set")
  endif()
endforeach()
if(NOT SYMBOL MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
  message(FATAL_ERROR "EmbedNameData: SYMBOL '${SYMBOL}' is not a C++ identifier")
endif()

get_filename_component(data_name "${INPUT}" NAME)
if(NOT EXISTS "${INPUT}")
  message(FATAL_ERROR "${data_name}: name data file not found (${INPUT})")
endif()

# Turns hex bytes ("e4bd93" or "e4,bd,93,") back into text, for messages.
function(_hex_to_text hex out)
  string(REPLACE "," "" hex "${hex}")
  set(text "")
  string(LENGTH "${hex}" len)
  set(i 0)
  while(i LESS len)
    string(SUBSTRING "${hex}" ${i} 2 byte)
    math(EXPR value "0x${byte}")
    string(ASCII ${value} ch)
    string(APPEND text "${ch}")
    math(EXPR i "${i} + 2")
  endwhile()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Drops spaces (20) and tabs (09) from both ends of a hex line.
function(_trim_hex hex out)
  string(REGEX REPLACE "^((20|09),)+" "" hex "${hex}")
  string(REGEX REPLACE ",((20|09),)+$" "," hex "${hex}")
  if(hex MATCHES "^((20|09),)+$")
    set(hex "")
  endif()
  set(${out} "${hex}" PARENT_SCOPE)
endfunction()

# Reads the file as hex bytes, each followed by a comma ("e3,82,a2,"). Every
# "xx," then starts at a byte boundary, so plain text replacement of "0d," or
# "0a," touches whole bytes only.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "(..)" "\\1," hex "${hex}")
string(REGEX REPLACE "^ef,bb,bf," "" hex "${hex}")
string(REPLACE "0d," "" hex "${hex}")
# Lines become the elements of a CMake list; hex text holds no ";" of its own.
string(REPLACE "0a," ";" lines "${hex}")

set(with_lists OFF)
if(DEFINED LIST_COUNTS AND NOT "${LIST_COUNTS}" STREQUAL "")
  set(with_lists ON)
  string(REPLACE "," ";" list_counts "${LIST_COUNTS}")
  string(REPLACE "," ";" headings "${LIST_HEADINGS_HEX}")
  list(LENGTH list_counts list_total)
  list(LENGTH headings heading_total)
  if(NOT list_total EQUAL heading_total)
    message(FATAL_ERROR "EmbedNameData: ${list_total} list counts but ${heading_total} headings")
  endif()
  foreach(h IN LISTS headings)
    string(REGEX REPLACE "(..)" "\\1," h "${h}")
    list(APPEND heading_lines "${h}")
  endforeach()
endif()

set(errors "")
set(entries_hex "")       # entry bytes, for the duplicate check
set(entries_line "")      # line number of each entry
set(literals "")
set(found 0)
set(list_index -1)
set(found_per_list "")
set(line_number 0)

foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  _trim_hex("${line}" line)
  if(line STREQUAL "")
    continue()
  endif()

  if(line MATCHES "^23,")
    if(with_lists)
      string(REGEX REPLACE "^23," "" heading "${line}")
      _trim_hex("${heading}" heading)
      list(FIND heading_lines "${heading}" heading_at)
      if(heading_at GREATER_EQUAL 0)
        math(EXPR next_list "${list_index} + 1")
        _hex_to_text("${heading}" heading_text)
        if(NOT heading_at EQUAL next_list)
          list(APPEND errors "line ${line_number}: heading '${heading_text}' is out of order")
        else()
          set(list_index ${heading_at})
          list(APPEND found_per_list 0)
        endif()
      endif()
    endif()
    continue()
  endif()

  if(with_lists AND list_index LESS 0)
    list(APPEND errors "line ${line_number}: entry before the first list heading")
    continue()
  endif()

  # Build the literal byte by byte and check the UTF-8 on the way.
  string(REPLACE "," ";" bytes "${line}")
  list(REMOVE_ITEM bytes "")
  set(literal "")
  set(pending 0)
  set(bad_bytes OFF)
  foreach(byte IN LISTS bytes)
    math(EXPR value "0x${byte}")
    if(pending GREATER 0)
      if(value LESS 128 OR value GREATER 191)
        set(bad_bytes ON)
      endif()
      math(EXPR pending "${pending} - 1")
    elseif(value LESS 32 OR value EQUAL 127)
      set(bad_bytes ON)
    elseif(value GREATER_EQUAL 194 AND value LESS_EQUAL 223)
      set(pending 1)
    elseif(value GREATER_EQUAL 224 AND value LESS_EQUAL 239)
      set(pending 2)
    elseif(value GREATER_EQUAL 240 AND value LESS_EQUAL 244)
      set(pending 3)
    elseif(value GREATER_EQUAL 128)
      set(bad_bytes ON)
    endif()

    if((value GREATER_EQUAL 48 AND value LESS_EQUAL 57) OR
       (value GREATER_EQUAL 65 AND value LESS_EQUAL 90) OR
       (value GREATER_EQUAL 97 AND value LESS_EQUAL 122) OR value EQUAL 32)
      string(ASCII ${value} ch)
      string(APPEND literal "${ch}")
    else()
      math(EXPR d1 "${value} / 64")
      math(EXPR d2 "(${value} / 8) % 8")
      math(EXPR d3 "${value} % 8")
      string(APPEND literal "\\${d1}${d2}${d3}")
    endif()
  endforeach()
  if(pending GREATER 0)
    set(bad_bytes ON)
  endif()
  if(bad_bytes)
    list(APPEND errors "line ${line_number}: not valid UTF-8 text (or holds a control character)")
    continue()
  endif()

  if(UNIQUE)
    list(FIND entries_hex "${line}" first_at)
    if(first_at GREATER_EQUAL 0)
      list(GET entries_line ${first_at} first_line)
      _hex_to_text("${line}" text)
      list(APPEND errors "line ${line_number}: duplicate name '${text}' (first on line ${first_line})")
    endif()
  endif()
  list(APPEND entries_hex "${line}")
  list(APPEND entries_line ${line_number})

  string(APPEND literals "    \"${literal}\"sv,  // line ${line_number}\n")
  math(EXPR found "${found} + 1")
  if(with_lists)
    list(GET found_per_list ${list_index} n)
    math(EXPR n "${n} + 1")
    list(REMOVE_AT found_per_list ${list_index})
    list(INSERT found_per_list ${list_index} ${n})
  endif()
endforeach()

if(NOT found EQUAL EXPECTED)
  list(APPEND errors "expected ${EXPECTED} entries, found ${found}")
endif()

set(sizes_code "")
if(with_lists)
  set(i 0)
  foreach(want IN LISTS list_counts)
    list(GET headings ${i} heading)
    _hex_to_text("${heading}" heading_text)
    list(LENGTH found_per_list seen)
    if(i LESS seen)
      list(GET found_per_list ${i} got)
      if(NOT got EQUAL want)
        list(APPEND errors "list '${heading_text}': expected ${want} entries, found ${got}")
      endif()
    else()
      list(APPEND errors "list '${heading_text}': heading '# ${heading_text}' not found (expected ${want} entries)")
    endif()
    string(APPEND sizes_code "${want}, ")
    math(EXPR i "${i} + 1")
  endforeach()
else()
  set(sizes_code "${EXPECTED}, ")
endif()
string(REGEX REPLACE ", $" "" sizes_code "${sizes_code}")

if(errors)
  list(JOIN errors "\n  ${data_name}: " message_text)
  message(FATAL_ERROR "Name data file ${data_name} (${INPUT}) is not valid:\n  ${data_name}: ${message_text}\n")
endif()

set(code "// Generated from ${data_name} by EmbedNameData.cmake; edit the data file.
#include \"names/EmbeddedNameData.h\"

#include <cstddef>
#include <string_view>

namespace zovek::name_data {
namespace {
using namespace std::string_view_literals;

constexpr std::string_view kTexts[] = {
${literals}};

constexpr std::size_t kListSizes[] = {${sizes_code}};
}  // namespace

constinit const EmbeddedTable ${SYMBOL}{kTexts, kListSizes};

}  // namespace zovek::name_data
")

file(WRITE "${OUTPUT}" "${code}")
