#!/usr/bin/env bash
# Configures and builds into build/ (program and its layout file in build/bin).
#   scripts/build.sh [--werror] [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

werror=OFF
if [ "${1:-}" = "--werror" ]; then werror=ON; shift; fi
cmake -S . -B build -G Ninja -DCOLMIRA_WERROR="$werror" "$@" >/dev/null
cmake --build build -j "$(nproc)"
