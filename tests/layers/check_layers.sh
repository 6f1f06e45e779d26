#!/usr/bin/env bash
# Fails when a file of a source tree includes a header from a layer above its own, or when a
# program under APPS_DIR includes a header it has no business seeing.
# usage: check_layers.sh SRC_DIR [KNOWN_UPWARD_INCLUDES [APPS_DIR]]
# Each line of KNOWN_UPWARD_INCLUDES is "FROM TO" (a folder or a file, relative to SRC_DIR):
# files under FROM may include headers under TO all the same. "#" starts a comment.
#
# What the programs see ("orvo/..." is include/orvo, the public headers; a header named
# without a folder is the program's own; system and Qt headers come in <...> and are free):
# - apps/demo is an application: the public headers only.
# - apps/orvoplay is a tool that drives the control as a user would and reads what its
#   widgets and popups show: the public headers, src/access (the control's internals by
#   name), the hosts (host/...), the database engines (db/...), the popup forms it reads and
#   clicks (popups/...) and base's routines for values and dates (base/...). Never the
#   control's own folder, nor the layers below it that the control wraps.
set -euo pipefail

usage="usage: check_layers.sh SRC_DIR [KNOWN_UPWARD_INCLUDES [APPS_DIR]]"
src=${1:?$usage}
known=${2:-}
apps=${3:-}
[[ -d $src ]] || { echo "check_layers: no folder $src" >&2; exit 2; }
[[ -z $apps || -d $apps ]] || { echo "check_layers: no folder $apps" >&2; exit 2; }

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

# The folders a program may include from, by its folder under APPS_DIR.
declare -A app_uses=(
  [demo]="orvo"
  [orvoplay]="orvo access host db popups base")

# "FROM TO" lines of a known-includes file, comments and blank lines dropped.
read_known() {
  local file=$1 from to _
  [[ -n $file ]] || return 0
  while read -r from to _; do
    [[ -z $from || $from == \#* ]] && continue
    echo "$from $to"
  done <"$file"
}

exceptions=()
mapfile -t exceptions < <(read_known "$known")

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

app_allowed() {
  local header=$2 app=${1%%/*} entry
  [[ $header == */* ]] || return 0
  for entry in ${app_uses[$app]:-}; do under "$header" "$entry" && return 0; done
  return 1
}

# The quoted includes of a file.
includes_of() {
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"
}

failures=0
if [[ -n $apps ]]; then
  while IFS= read -r -d '' path; do
    file=${path#"$apps"/}
    [[ $file == */* ]] || continue
    if [[ -z ${app_uses[${file%%/*}]+x} ]]; then
      echo "$file: a program the check has no rule for (add it to app_uses)"
      failures=$((failures + 1))
      continue
    fi
    while IFS= read -r header; do
      if ! app_allowed "$file" "$header"; then
        echo "$file includes $header, which its program may not see"
        failures=$((failures + 1))
      fi
    done < <(includes_of "$path")
  done < <(find "$apps" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
fi

while IFS= read -r -d '' path; do
  file=${path#"$src"/}
  while IFS= read -r header; do
    # A header named without a folder is its includer's neighbour.
    [[ $header == */* ]] || header=$(dirname "$file")/$header
    if ! allowed "$file" "$header"; then
      echo "$file includes $header, from a layer above its own"
      failures=$((failures + 1))
    fi
  done < <(includes_of "$path")
done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if ((failures > 0)); then
  echo "$failures include(s) across the layers"
  exit 1
fi
