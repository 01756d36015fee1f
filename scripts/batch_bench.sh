#!/usr/bin/env bash
# The batch commands on 10,000 tagged files in 200 folders (warm cache) against their floors
# (bench/batch_floor.cpp, plain POSIX calls): zarn --list of the collection against reading each
# file's ID3v2 header and tag and its last 128 bytes; zarn --set of one album on every file
# against writing the same tag bytes back in place; then zarn --undo of that --set against the
# --set. Each round writes a fresh collection; the best round of each is reported, as elapsed
# time and as processor time (user + system).
# Usage: scripts/batch_bench.sh [BUILD_DIR] [ROUNDS]   (BUILD_DIR defaults to build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build-bench}
rounds=${2:-1}
source scripts/benchlib.sh

declare -A wall cpu
keep() {  # keep NAME ELAPSED CPU: the best of the rounds
  if [ -z "${wall[$1]:-}" ] || [ "$2" -lt "${wall[$1]}" ]; then wall[$1]=$2; fi
  if [ -z "${cpu[$1]:-}" ] || [ "$3" -lt "${cpu[$1]}" ]; then cpu[$1]=$3; fi
}
for ((round = 1; round <= rounds; round++)); do
  rm -rf "$work/music"
  python3 bench/make_collection.py "$work/music" 200 50
  cd "$work/music"
  files=(*/*.mp3)
  cat "${files[@]}" >/dev/null  # warm cache
  keep list_floor $(measure "$root/$build/bench/batch_floor" list "${files[@]}")
  keep list_zarn $(measure "$root/$build/zarn/zarn" --list .)
  keep set_floor $(measure "$root/$build/bench/batch_floor" set "${files[@]}")
  keep set_zarn $(measure "$root/$build/zarn/zarn" --set "album=One Album" .)
  listed=$("$root/$build/zarn/zarn" --list . | grep -c $'\tOne Album\t')
  keep undo_zarn $(measure "$root/$build/zarn/zarn" --undo)
  undone=$("$root/$build/zarn/zarn" --list . | grep -c $'\tOne Album\t' || true)
  cd "$root"
  [ "$listed" -eq 10000 ] || { echo "zarn set the album of $listed of 10000 files" >&2; exit 1; }
  [ "$undone" -eq 0 ] || { echo "zarn --undo left the album on $undone files" >&2; exit 1; }
done
ratio() { awk -v z="$1" -v f="$2" 'BEGIN { printf "%.2f", z / f }'; }
for command in list set; do
  f=${command}_floor z=${command}_zarn
  echo "--$command 10,000 files, best of $rounds rounds:"
  echo "  elapsed: floor ${wall[$f]} ms, zarn ${wall[$z]} ms, ratio $(ratio "${wall[$z]}" "${wall[$f]}")"
  echo "  cpu:     floor ${cpu[$f]} ms, zarn ${cpu[$z]} ms, ratio $(ratio "${cpu[$z]}" "${cpu[$f]}")"
done
echo "--undo of that --set, best of $rounds rounds:"
echo "  elapsed: ${wall[undo_zarn]} ms ($(ratio "${wall[undo_zarn]}" "${wall[set_zarn]}") of the --set)"
echo "  cpu:     ${cpu[undo_zarn]} ms ($(ratio "${cpu[undo_zarn]}" "${cpu[set_zarn]}") of the --set)"
