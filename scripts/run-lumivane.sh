#!/usr/bin/env bash
# Starts Lumivane for `make run`: on the user's own calendar store when there
# is one, else on a sample store generated around today. Without a display it
# shows the main job in the terminal instead: the agenda as text and a
# picture of the display in a file.
set -euo pipefail
binary="${1:?usage: run-lumivane.sh path/to/lumivane}"
here="$(cd "$(dirname "$0")/.." && pwd)"

store="${LUMIVANE_OUTLOOK_STORE:-${XDG_DATA_HOME:-$HOME/.local/share}/Lumivane/Outlook}"
if [ ! -e "$store" ]; then
  store="$here/build/sample-store"
  rm -rf "$store"
  "$binary" --make-sample-store "$store"
  echo "No calendar store of your own was found; showing a sample store in $store."
fi
export LUMIVANE_OUTLOOK_STORE="$store"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$here/build/lumivane-display.png"
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset): showing the agenda here instead."
  echo
  "$binary" --text
  "$binary" --screenshot "$shot"
  echo
  echo "The display as it would show on the desktop: $shot"
  exit 0
fi
exec "$binary"
