#!/usr/bin/env bash
# The dependency script is idempotent: once everything is installed (the test
# command installs it before building), a run installs nothing and touches no
# network: apt-get and sudo are replaced by stand-ins that record any call.
set -euo pipefail
script="$1"
fake="$(mktemp -d)"
trap 'rm -rf "$fake"' EXIT
for tool in apt-get sudo; do
  printf '#!/bin/sh\necho "%s $*" >> "%s/calls"\nexit 1\n' "$tool" "$fake" > "$fake/$tool"
  chmod +x "$fake/$tool"
done
if ! PATH="$fake:$PATH" "$script" > "$fake/out" 2>&1; then
  echo "install-deps.sh failed on a machine that has everything:"; cat "$fake/out"; exit 1
fi
if [ -e "$fake/calls" ]; then
  echo "install-deps.sh called the package manager although nothing was missing:"
  cat "$fake/calls"; cat "$fake/out"; exit 1
fi
# --check agrees: nothing is missing.
"$script" --check
