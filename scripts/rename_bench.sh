#!/usr/bin/env bash
# Command-line renaming of 10,000 tagged files in 200 folders (warm cache) against the floor: the
# same files opened, their tags read and renamed by plain POSIX calls (bench/rename_floor.cpp).
# Each round writes a fresh collection, runs the floor, then zarn on the floor's results; the best
# round of each is reported, as elapsed time and as processor time (user + system), which a busy
# machine disturbs less.
# Usage: scripts/rename_bench.sh [BUILD_DIR] [ROUNDS]   (BUILD_DIR defaults to build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build-bench}
rounds=${2:-3}
source scripts/benchlib.sh

floor_wall=() floor_cpu=() zarn_wall=() zarn_cpu=()
for ((round = 1; round <= rounds; round++)); do
  rm -rf "$work/music"
  python3 bench/make_collection.py "$work/music" 200 50
  cd "$work/music"
  files=(*/*.mp3)
  cat "${files[@]}" >/dev/null  # warm cache
  read -r wall cpu < <(measure "$root/$build/bench/rename_floor" .f "${files[@]}")
  floor_wall+=("$wall") floor_cpu+=("$cpu")
  files=(*/*.mp3.f)
  read -r wall cpu < <(measure "$root/$build/zarn/zarn" "+rename=%track - %artist - %title.mp3" "${files[@]}")
  zarn_wall+=("$wall") zarn_cpu+=("$cpu")
  renamed=$(ls -- */*" - "*.mp3 | wc -l)
  cd "$root"
  [ "$renamed" -eq 10000 ] || { echo "zarn renamed $renamed of 10000 files" >&2; exit 1; }
done
best() { printf '%s\n' "$@" | sort -n | head -1; }
ratio() { awk -v z="$1" -v f="$2" 'BEGIN { printf "%.2f", z / f }'; }
fw=$(best "${floor_wall[@]}") fc=$(best "${floor_cpu[@]}")
zw=$(best "${zarn_wall[@]}") zc=$(best "${zarn_cpu[@]}")
echo "rename 10,000 files, best of $rounds rounds:"
echo "  elapsed: floor ${fw} ms, zarn ${zw} ms, ratio $(ratio "$zw" "$fw")"
echo "  cpu:     floor ${fc} ms, zarn ${zc} ms, ratio $(ratio "$zc" "$fc")"
