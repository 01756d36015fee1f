#!/usr/bin/env bash
# Builds the Debian package zarn_VERSION_ARCH.deb into ./build-package: a Release build of the
# programs alone (no tests or benchmarks), then CPack from the same install rules as
# `cmake --install`. Install it with: sudo apt install ./build-package/zarn_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DZARN_TESTS=OFF -DZARN_BENCH=OFF \
  >/dev/null
cmake --build build-package --parallel "$(nproc)"
cd build-package && cpack -G DEB
