#!/usr/bin/env bash
# Configures and builds into build/ (program and its layout file in build/bin).
#   scripts/build.sh [--werror] [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."

args=()
if [ "${1:-}" = "--werror" ]; then args+=(-DCOLMIRA_WERROR=ON); shift; fi
generator=()
if [ ! -f build/CMakeCache.txt ]; then generator=(-G Ninja); fi
cmake -S . -B build "${generator[@]}" "${args[@]}" "$@" >/dev/null
cmake --build build -j "$(nproc)"
