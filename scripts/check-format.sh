#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it (.clang-format at the root).
# With --fix it rewrites the files instead.
# One formatter for every machine: versions lay out the same code differently (14 and 19 disagree on lambdas
# among arguments, pointers to members and the width of emoji), and Debian 12 and 13 both ship clang-format-19.
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format-19
if ! command -v "$format" >/dev/null; then
  echo "$0: $format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
  "$format" -i "${files[@]}"
  exit 0
fi
"$format" --dry-run --Werror "${files[@]}"
