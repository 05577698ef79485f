#!/usr/bin/env bash
# Fresh Debian 12 to green tests: packages, a warning-free build, every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh --werror
python3 layout/make_uir.py --check
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300
