# Runs zovek-cli over the examples and generated cards and compares each run's
# exit status, standard output and standard error, by SHA-256, with the
# digests recorded in output-digests.txt: a change to how the program is built
# inside must leave every byte it prints as it was.
#   cmake -DCLI=zovek-cli -DMKCARD=zovek-mkcard -DEXAMPLES_DIR=... -DWORK=dir
#         -DDIGESTS=output-digests.txt [-DRECORD=ON] -P OutputDigests.cmake
# RECORD=ON writes the digests of this build instead of comparing; SHOW=dir
# also writes each run's output there, to read.
cmake_policy(VERSION 3.20)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/data")
foreach(name demo.mcr demo.gme demo-single.ps)
  file(COPY_FILE "${EXAMPLES_DIR}/${name}" "${WORK}/${name}")
endforeach()

function(mkcard)
  execute_process(COMMAND "${MKCARD}" ${ARGN} WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "zovek-mkcard ${ARGN}: ${result}")
  endif()
endfunction()
mkcard(card mixed.mcr --save 2:4:9 --save 7:1:3 --other 3:QUILB:2 --bad-checksum 7)
mkcard(card noise.mcr --noise 5 --save 9:12:4)
mkcard(card empty.mcr)
mkcard(single bad.ps --digit 9 --seed 8 --bad-checksum)
mkcard(wrap vgs demo.mcr demo.vgs)
mkcard(wrap psv demo-single.ps demo.psv)
mkcard(wrap block demo-single.ps ZVDATA-000001ZOVEK-5)
file(WRITE "${WORK}/short.bin" "not a save")

# A dump with edits in it, for apply --dry-run.
execute_process(COMMAND "${CLI}" dump demo.mcr --save 3 --json WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE dump)
string(REGEX REPLACE "\"chips\": [0-9]+" "\"chips\": 4321" edited "${dump}")
string(REGEX REPLACE "\"hp\": [0-9]+" "\"hp\": 77" edited "${edited}")
file(WRITE "${WORK}/edited.json" "${edited}")

set(all demo.mcr demo.gme demo-single.ps mixed.mcr noise.mcr empty.mcr bad.ps demo.vgs demo.psv
        ZVDATA-000001ZOVEK-5 short.bin missing.mcr)
list(JOIN all " " all_files)
set(runs
  "help|--help" "help-after|dump --help" "version-arg|--version" "nothing|" "unknown|frobnicate x"
  "info|info ${all_files}" "verify|verify ${all_files}"
  "dump-1|dump demo.mcr" "dump-3|dump demo.mcr --save 3" "dump-12|dump demo.gme --save 12"
  "dump-single|dump demo-single.ps" "dump-mixed|dump mixed.mcr --save 5" "dump-psv|dump demo.psv"
  "json-1|dump demo.mcr --json" "json-3|dump demo.mcr --save 3 --json" "json-gme|dump demo.gme --json"
  "json-single|dump demo-single.ps --json" "json-noise|dump noise.mcr --json" "json-vgs|dump demo.vgs --json"
  "json-block|dump ZVDATA-000001ZOVEK-5 --json" "dump-none|dump demo.mcr --save 4" "dump-twice|dump demo.mcr --json --json"
  "dump-bad|dump short.bin" "keys|keys" "keys-json|keys --json" "keys-extra|keys demo.mcr"
  "diff-same|diff demo.mcr demo.gme" "diff-1-3|diff demo.mcr demo.mcr --save 1 --save-b 3"
  "diff-json|diff demo.mcr demo.mcr --save 3 --save-b 12 --json" "diff-default-b|diff demo.mcr demo.gme --save 3" "diff-default-first|diff demo.mcr mixed.mcr"
  "diff-single|diff demo-single.ps bad.ps" "diff-card-single|diff demo.mcr demo-single.ps --json"
  "diff-missing|diff demo.mcr mixed.mcr --save 12" "diff-one|diff demo.mcr"
  "set-dry|set demo.mcr --dry-run --no-backup chips=4242 characters[3].hp=9 possessions[10].count=7"
  "set-dry-save|set demo.mcr --save 12 --dry-run playTime.hours=5 party.main[0].code=-"
  "set-dry-single|set demo-single.ps --dry-run protagonist=3" "set-bad-key|set demo.mcr --dry-run nokey=1"
  "set-bad-value|set demo.mcr --dry-run chips=x" "set-range|set demo.mcr --dry-run chips=9999999"
  "set-signed|set demo.psv --dry-run chips=1" "set-none|set demo.mcr"
  "apply-dry|apply demo.mcr --dry-run edited.json" "apply-dry-other|apply demo.mcr --save 12 --dry-run edited.json"
  "apply-missing|apply demo.mcr --dry-run nothing.json" "apply-twice|apply demo.mcr --dry-run --dry-run edited.json")

set(recorded "")
if(NOT RECORD)
  file(STRINGS "${DIGESTS}" recorded)
endif()
set(lines "")
set(failed "")
foreach(run IN LISTS runs)
  string(REGEX REPLACE "\\|.*$" "" name "${run}")
  string(REGEX REPLACE "^[^|]*\\|" "" args "${run}")
  separate_arguments(args UNIX_COMMAND "${args}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${WORK}/data" "HOME=${WORK}" LC_ALL=C.UTF-8
                          "${CLI}" ${args}
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(SHA256 digest "status ${status}\nout\n${out}\nerr\n${err}")
  list(APPEND lines "${digest} ${name}")
  if(SHOW)
    file(WRITE "${SHOW}/${name}" "status ${status}\nout\n${out}\nerr\n${err}")
  endif()
  if(NOT RECORD AND NOT "${digest} ${name}" IN_LIST recorded)
    list(APPEND failed "${name}: status ${status}\n--- out\n${out}--- err\n${err}")
  endif()
endforeach()
if(RECORD)
  list(JOIN lines "\n" text)
  file(WRITE "${DIGESTS}" "${text}\n")
elseif(failed)
  list(JOIN failed "\n" report)
  message(FATAL_ERROR "outputs that changed:\n${report}")
endif()
file(REMOVE_RECURSE "${WORK}")
