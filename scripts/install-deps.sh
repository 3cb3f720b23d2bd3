#!/usr/bin/env bash
# Installs the Debian packages Lumivane needs to build, run and test, but only
# those that are missing: a second run installs nothing and touches no network.
# Uses sudo when not run as root.
#   --with-fuzz   also the fuzzing toolchain (clang and its runtime)
#   --with-bench  also what the whole-process benchmarks time commands with
#   --check       install nothing: list what is missing, exit 1 if anything is
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config make ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-qpa-plugins
  libical-dev libx11-dev libx11-xcb-dev libxcb1-dev libxcb-keysyms1-dev libxcb-shape0-dev
  libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-dateutil
  xvfb xauth openbox xdotool wmctrl x11-utils x11-xserver-utils imagemagick feh trayer xcompmgr
  fonts-dejavu-core tzdata locales
  clang-format clang-tidy
  # the package's checks: menu entry, metainfo, manual page, the .deb itself
  desktop-file-utils appstream lintian dpkg-dev man-db
  # a real CalDAV server and synchroniser, for the end-to-end test only
  radicale vdirsyncer curl
)
check=0
for arg in "$@"; do
  case "$arg" in
    --with-fuzz) packages+=(clang libclang-rt-14-dev) ;;
    --with-bench) packages+=(hyperfine) ;;
    --check) check=1 ;;
    *) echo "install-deps.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done

# Real package names only: a name that merely another package provides is
# never reported installed, so it would be installed again on every run.
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  [ $check -eq 1 ] && echo "All packages are installed."
  exit 0
fi
if [ $check -eq 1 ]; then
  echo "Missing packages: ${missing[*]}"
  exit 1
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
