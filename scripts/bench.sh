#!/usr/bin/env bash
# Builds and runs every benchmark (Release build in ./build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARN_TESTS=OFF >/dev/null
cmake --build build-bench --parallel "$(nproc)"
for b in build-bench/bench/*_bench; do
  echo "== $b"; QT_QPA_PLATFORM=offscreen "$b" "$@"
done
echo "== rename comparison"
scripts/rename_bench.sh build-bench
echo "== batch command comparison"
scripts/batch_bench.sh build-bench
