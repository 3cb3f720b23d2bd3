#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build folder (default build/fuzz) over
# its corpus in the repository (tests/fuzz/corpus/<name>), FUZZ_SECONDS each
# (default 60). New inputs go to a work folder in the build, crashes to
# <build>/fuzz/artifacts/<name>/; FUZZ_MERGE=1 merges the inputs that add
# coverage into the repository's corpus afterwards. FUZZ_MAX_LEN bounds the
# input size (default 8192).
set -euo pipefail
build="$(cd "${1:-build/fuzz}" && pwd)"
seconds="${FUZZ_SECONDS:-60}"
max_len="${FUZZ_MAX_LEN:-8192}"
cd "$(dirname "$0")/.."

shopt -s nullglob
fuzzers=("$build"/fuzz/*_fuzzer)
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "no fuzzers in $build/fuzz" >&2
  exit 1
fi
status=0
for fuzzer in "${fuzzers[@]}"; do
  name="$(basename "$fuzzer" _fuzzer)"
  corpus="tests/fuzz/corpus/$name"
  work="$build/fuzz/found/$name"
  artifacts="$build/fuzz/artifacts/$name/"
  mkdir -p "$corpus" "$work" "$artifacts"
  echo "== $name: ${seconds}s over $corpus"
  "$fuzzer" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts" "$work" "$corpus" || status=1
  if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    "$fuzzer" -merge=1 -max_len="$max_len" "$corpus" "$work"
  fi
done
exit $status
