#!/usr/bin/env bash
# Runs one libFuzzer target (conversion, format or formula) for SECONDS under
# ASan and UBSan, from its seed corpus in tests/fuzz/corpus. New inputs go to
# BUILD_ROOT/fuzz/corpus, crashes to BUILD_ROOT/fuzz/crash-*.
# Usage: scripts/fuzz.sh TARGET SECONDS [BUILD_ROOT]
set -euo pipefail
target=${1:?conversion, format or formula}
seconds=${2:?seconds}
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${3:-$root/build}/fuzz
[ -x "$dir/bin/fuzz_$target" ] || "$root/scripts/build.sh" fuzz "${3:-$root/build}"
mkdir -p "$dir/corpus/$target"
"$dir/bin/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/" \
  "$dir/corpus/$target" "$root/tests/fuzz/corpus/$target"
