#!/usr/bin/env bash
# Command-line renaming of 10,000 tagged files in 200 folders (warm cache) against the floor: the
# same files opened, their tags read and renamed by plain POSIX calls (bench/rename_floor.cpp).
# Usage: scripts/rename_bench.sh [BUILD_DIR] [ROUNDS]   (BUILD_DIR defaults to build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
rounds=${2:-3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME=$work/config ZARN_HOME=$work/home
mkdir -p "$ZARN_HOME"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
floors=() zarns=()
for ((round = 1; round <= rounds; round++)); do
  rm -rf "$work/music"
  python3 bench/make_collection.py "$work/music" 200 50
  cd "$work/music"
  files=(*/*.mp3)
  cat "${files[@]}" >/dev/null  # warm cache
  start=$(now_ms)
  "$OLDPWD/$build/bench/rename_floor" .f "${files[@]}"
  floors+=($(( $(now_ms) - start )))
  files=(*/*.mp3.f)
  start=$(now_ms)
  "$OLDPWD/$build/zarn/zarn" "+rename=%track - %artist - %title.mp3" "${files[@]}" >/dev/null
  zarns+=($(( $(now_ms) - start )))
  renamed=$(ls */*" - "*.mp3 | wc -l)
  cd "$OLDPWD"
  [ "$renamed" -eq 10000 ] || { echo "zarn renamed $renamed of 10000 files" >&2; exit 1; }
done
best() { printf '%s\n' "$@" | sort -n | head -1; }
floor=$(best "${floors[@]}") zarn=$(best "${zarns[@]}")
echo "rename 10,000 files, best of $rounds: floor ${floor} ms, zarn ${zarn} ms," \
     "ratio $(awk -v z="$zarn" -v f="$floor" 'BEGIN { printf "%.2f", z / f }')"
