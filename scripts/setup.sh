#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), then
# configures and builds Scrivel into ./build (or $SCRIVEL_BUILD_DIR).
# Extra arguments are passed to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make qtbase5-dev qtbase5-dev-tools libqt5concurrent5 libqt5test5 libxxhash-dev libdtl-dev libpcre2-dev fonts-dejavu-core fonts-wqy-microhei xvfb xauth openbox imagemagick xdotool x11-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

build_dir="${SCRIVEL_BUILD_DIR:-build}"
cmake -S . -B "$build_dir" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
