#!/usr/bin/env bash
# Builds the tool and starts it beside the virtual sensor (TCP 127.0.0.1:10001).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

port=10001
build/bin/colmira-sensor-sim --tcp "$port" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
sleep 0.3

build/bin/Colmira3V42
