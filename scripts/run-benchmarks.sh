#!/usr/bin/env bash
# Runs every benchmark program of a build folder (default build/release) and
# the comparison scripts beside them.
set -euo pipefail
build="${1:-build/release}"
shopt -s nullglob
status=0
for b in "$build"/bench/*; do
  [ -x "$b" ] && [ -f "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true || status=1
done
for s in bench/*.sh bench/*/*.sh; do
  echo "== $s"
  bash "$s" "$build" || status=1
done
exit $status
