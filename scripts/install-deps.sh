#!/usr/bin/env bash
# Installs the Debian packages Lumivane needs to build, run and test, but only
# those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-qpa-plugins
  libical-dev libx11-dev libx11-xcb-dev libxcb1-dev libxcb-keysyms1-dev libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-dateutil
  xvfb xauth openbox xdotool wmctrl x11-utils imagemagick feh trayer xcompmgr
  fonts-dejavu-core tzdata locales
)
if [ "${1:-}" = "--with-fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
