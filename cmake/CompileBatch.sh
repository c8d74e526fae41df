#!/usr/bin/env bash
# Compiler launcher of the batched build (TAVRIX_UNITY_BUILD): runs the compile
# command it is given. When a batch (a generated Unity/unity_*.cxx including a
# folder's files) fails, compiles the batch's files one by one and joins their
# objects into the batch's object: names that clash between files of a folder
# then cost time, not the build. Such a batch is noted in batches-apart.txt of
# the build folder, and its compiler errors are shown only when a file fails
# on its own too.
set -uo pipefail

args=("$@")
source="" object="" depfile="" target=""
for ((i = 0; i < ${#args[@]} - 1; i++)); do
  case ${args[i]} in
    -c) source=${args[i + 1]} ;;
    -o) object=${args[i + 1]} ;;
    -MF) depfile=${args[i + 1]} ;;
    -MT) target=${args[i + 1]} ;;
  esac
done
[[ $source == */Unity/unity_*.cxx && -n $object ]] || exec "$@"

errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
if "$@" 2>"$errors"; then
  cat "$errors" >&2
  exit 0
fi

apart="$object.apart"
rm -rf "$apart"
mkdir -p "$apart"
mapfile -t files < <(sed -n 's/^#include "\(.*\)"$/\1/p' "$source")
objects=() depfiles=()
for file in "${files[@]}"; do
  n=${#objects[@]}
  one=("${args[@]}")
  for ((i = 0; i < ${#one[@]} - 1; i++)); do
    case ${one[i]} in
      -c) one[i + 1]=$file ;;
      -o) one[i + 1]="$apart/$n.o" ;;
      -MF) one[i + 1]="$apart/$n.d" ;;
      -MT) one[i + 1]="$apart/$n.o" ;;
    esac
  done
  "${one[@]}" || exit 1
  objects+=("$apart/$n.o")
  depfiles+=("$apart/$n.d")
done
ld -r -o "$object" "${objects[@]}" || exit 1
if [[ -n $depfile ]]; then
  {
    printf '%s:' "${target:-$object}"
    for file in "${depfiles[@]}"; do
      printf ' \\\n%s' "$(sed '1s/^[^:]*://' "$file")"
    done
    printf '\n'
  } >"$depfile.tmp"
  mv "$depfile.tmp" "$depfile"
fi
rm -rf "$apart"
echo "$source" >>batches-apart.txt
{
  echo "warning: $source: its files clash when compiled together, so they were compiled one by one:"
  grep -m 3 'error:' "$errors"
} >&2
exit 0
