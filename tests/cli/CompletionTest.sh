# Installs the build into a scratch prefix, sources the installed bash
# completion of zovek-cli and calls it as bash does on a Tab, with the real
# program as the command being completed (its `keys` list gives the keys).
#   bash CompletionTest.sh CMAKE BUILD_DIR PREFIX PROGRAM
set -u
cmake=$1 build=$2 prefix=$3 program=$4
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }
file=$prefix/share/bash-completion/completions/zovek-cli
failures=0
if [[ $(head -c 2 "$file") == '#!' ]]; then
  echo "$file starts with #!"
  failures=1
fi

compopt() { requested+=" $*"; } # bash's own works only during a Tab
source "$file"
# A file that a glob of a key with brackets would hit.
mkdir "$prefix/files" && cd "$prefix/files" && touch demo.mcr notes.txt 'characters0.hp='

# LINE (the cursor at its end), the replies expected, an option they need.
expect() {
  COMP_LINE="$program $1" COMP_POINT=${#COMP_LINE} requested=
  read -ra COMP_WORDS <<<"${COMP_LINE//=/ = }" # bash splits at '=' too
  [[ $COMP_LINE == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _zovek_cli
  if [[ ${COMPREPLY[*]} != "$2" || $requested != *"$3"* ]]; then
    echo "'$1': replies '${COMPREPLY[*]}' (options:$requested), expected '$2' ($3)"
    failures=1
  fi
}
expect "ve" "verify" ""
expect "dump demo.mcr --j" "--json" ""
expect "info de" "demo.mcr" "-o filenames"
expect "set demo.mcr chi" "chips=" "-o nospace"
expect "set demo.mcr characters[0].h" "characters[0].hp=" "-o nospace"
expect "set demo.mcr --save 1 chips=5 posse" "possessions[" "-o nospace"
((failures)) || { cd / && rm -rf "$prefix"; }
exit $failures
