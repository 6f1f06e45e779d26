#!/usr/bin/env bash
# Fails when a file of a source tree includes a header from a layer above its own.
# usage: check_layers.sh SRC_DIR [KNOWN_UPWARD_INCLUDES]
# Each line of KNOWN_UPWARD_INCLUDES is "FROM TO" (a folder or a file, relative to SRC_DIR):
# files under FROM may include headers under TO all the same. "#" starts a comment.
set -euo pipefail

src=${1:?usage: check_layers.sh SRC_DIR [KNOWN_UPWARD_INCLUDES]}
known=${2:-}
[[ -d $src ]] || { echo "check_layers: no folder $src" >&2; exit 2; }

# The layers, lowest first. A file may include headers of its own folder and of the
# folders ranked below it; folders of one rank do not include one another.
declare -A rank=(
  [base]=0 [mask]=1 [platform]=2 [appearance]=3 [lookup]=4 [popups]=5 [control]=6
  [access]=7 [host/core]=7 [host]=8 [host/headless]=9 [host/qt]=9 [host/formfile]=9)
# The database engines stand beside the hosts: they use base, the recordset interface and
# the database folders below their own, and nothing else of the tree.
declare -A uses=(
  [db/dialect]="base lookup/recordset.h"
  [db/keyset]="base lookup/recordset.h db/dialect"
  [db/sqlite]="base lookup/recordset.h db/dialect db/keyset"
  [db/postgres]="base lookup/recordset.h db/dialect db/keyset")

# The folder key of a path: its longest leading folder that names a layer, or "" for none.
layer_of() {
  local dir=$1
  while [[ $dir == */* ]]; do
    dir=${dir%/*}
    [[ -n ${rank[$dir]+x} || -n ${uses[$dir]+x} ]] && { echo "$dir"; return; }
  done
  echo ""
}

# Whether PATH is PATTERN or lies under the folder PATTERN.
under() { [[ $1 == "$2" || $1 == "$2"/* ]]; }

exceptions=()
if [[ -n $known ]]; then
  while read -r from to _; do
    [[ -z $from || $from == \#* ]] && continue
    exceptions+=("$from $to")
  done <"$known"
fi

allowed() {
  local file=$1 header=$2 from to entry
  from=$(layer_of "$file")
  to=$(layer_of "$header")
  [[ -z $to || $from == "$to" ]] && return 0
  if [[ -n ${uses[$from]+x} ]]; then
    for entry in ${uses[$from]}; do under "$header" "$entry" && return 0; done
  elif [[ -n $from && -n ${rank[$to]+x} ]] && ((rank[$to] < rank[$from])); then
    return 0
  fi
  for entry in "${exceptions[@]}"; do
    under "$file" "${entry% *}" && under "$header" "${entry#* }" && return 0
  done
  return 1
}

failures=0
while IFS= read -r -d '' path; do
  file=${path#"$src"/}
  while IFS= read -r header; do
    # A header named without a folder is its includer's neighbour.
    [[ $header == */* ]] || header=$(dirname "$file")/$header
    if ! allowed "$file" "$header"; then
      echo "$file includes $header, from a layer above its own"
      failures=$((failures + 1))
    fi
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$path")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((failures > 0)); then
  echo "$failures upward include(s)"
  exit 1
fi
