#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the demo need.
# Packages already present are skipped, so running it again costs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev qt6-serialport-dev qt6-tools-dev libqt6opengl6-dev
  libqcustomplot-dev
  python3 clang-format
)
# Only for looking at the window without a display and for rendering prints.
extra=(xvfb xauth xdotool imagemagick openbox wmctrl poppler-utils)
if [ "${1:-}" = "--with-screen-tools" ]; then packages+=("${extra[@]}"); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything present"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "install-deps: installing ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
  "${missing[@]}"
