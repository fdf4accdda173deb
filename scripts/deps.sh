#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, when missing.
set -euo pipefail
# fonts-liberation2: Liberation Sans has the metrics of Arial, the font the windows
# are laid out for, so their texts fit the boxes they were given.
packages=(cmake g++ make qt6-base-dev qt6-serialport-dev qt6-webengine-dev libgl-dev
          libgtest-dev libbenchmark-dev xvfb xauth clang libclang-rt-14-dev
          fonts-liberation2)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y "${missing[@]}"
fi
