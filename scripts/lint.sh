#!/usr/bin/env bash
# The style checks: clang-format over every C++ source (check only, nothing
# is changed), then clang-tidy over the C++ files changed since LINT_BASE
# (default HEAD: the uncommitted changes).
#   --format-only   the clang-format check alone (fast; continuous integration)
#   --fix           reformat the sources in place instead of checking them
set -euo pipefail
cd "$(dirname "$0")/.."

mode=check
case "${1:-}" in
  --format-only) mode=format ;;
  --fix) mode=fix ;;
  "") ;;
  *) echo "lint.sh: unknown option $1" >&2; exit 2 ;;
esac

mapfile -t sources < <(git ls-files '*.cpp' '*.h' | grep -v '/corpus/')
if [ "$mode" = fix ]; then
  clang-format -i "${sources[@]}"
  exit 0
fi
echo "clang-format: ${#sources[@]} files"
clang-format --dry-run --Werror "${sources[@]}"
[ "$mode" = format ] && exit 0

base="${LINT_BASE:-HEAD}"
mapfile -t changed < <({ git diff --name-only --diff-filter=d "$base" -- '*.cpp';
                         git ls-files --others --exclude-standard -- '*.cpp'; } | sort -u)
if [ ${#changed[@]} -eq 0 ]; then
  echo "clang-tidy: no changed C++ file since $base"
  exit 0
fi
if [ ! -f build/debug/compile_commands.json ]; then
  cmake --preset debug >/dev/null
fi
echo "clang-tidy: ${#changed[@]} changed files since $base"
clang-tidy -p build/debug --quiet "${changed[@]}"
