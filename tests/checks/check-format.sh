#!/usr/bin/env bash
# Fails when a C++ source file differs from what clang-format makes of it.
set -euo pipefail
clang_format=${1:-clang-format}
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find game render shell tools bench -name '*.cpp' -o -name '*.h')
[ ${#files[@]} -gt 0 ] || { echo "no sources found"; exit 1; }
"$clang_format" --dry-run -Werror "${files[@]}"
echo "${#files[@]} files formatted"
