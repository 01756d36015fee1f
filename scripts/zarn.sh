#!/usr/bin/env bash
# Fresh machine to a running Zarn.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
exec build/zarn/zarn "$@"
