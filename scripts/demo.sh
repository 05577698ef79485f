#!/usr/bin/env bash
# Builds the tool and starts it beside the virtual sensor (TCP 127.0.0.1:10001).
# A first run seeds the tool's settings so that it connects to the sensor at start.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh

port=10001
settings=build/bin/PanelSettings.cfg
if [ ! -f "$settings" ]; then
  printf '%s\r\n' \
    '[GENERAL INFO]' 'FILE TYPE: = "Panel Settings"' 'SCOPE VERSION: = "COLMIRA3-Rarev V4.2"' \
    'PANEL ID: = "DEMO SENSOR"' '' \
    '[IP ADDRESSES]' 'LIST ITEMS = 1' 'IP ADDR 1 = "127.0.0.1"' '' \
    '[COMMUNICATION SETTINGS]' 'COMPROTOCOL = 1' 'COMPORT = 1' 'BAUDRATE = 4' \
    'IP ADRESS = "127.0.0.1"' "PORT NUMBER = \"$port\"" '' >"$settings"
fi

build/bin/colmira-sensor-sim --tcp "$port" --teach-demo &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
sleep 0.3
if ! kill -0 "$sim_pid" 2>/dev/null; then
  echo "demo: the virtual sensor did not start (is port $port in use?)" >&2
  exit 1
fi

build/bin/Colmira3V42
