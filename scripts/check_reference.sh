#!/usr/bin/env bash
# Writes the function reference (docs/reference, Markdown) and the help
# project (docs/help: the same pages as HTML, contents and context map) from
# the add-in through the host, and fails when the checked-in copy differs.
# With --update it replaces the checked-in copy instead.
# Usage: scripts/check_reference.sh [--update] [BUILD_DIR]   (default build/sanitize)
set -euo pipefail
update=0
if [ "${1:-}" = --update ]; then update=1; shift; fi
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/sanitize}

[ -f "$dir/build.ninja" ] || cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZR_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" --target ZrRand3 zrreference -j "$(nproc)" >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$dir/bin/zrreference" "$dir/bin/ZrRand3.so" "$out"

if [ $update = 1 ]; then
  rm -rf "$root/docs/reference" "$root/docs/help"
  cp -r "$out/reference" "$out/help" "$root/docs/"
  echo "docs/reference and docs/help rewritten"
elif ! diff -r "$root/docs/reference" "$out/reference" >"$out/diff" || ! diff -r "$root/docs/help" "$out/help" >>"$out/diff"; then
  head -40 "$out/diff" >&2
  echo "check_reference: docs/reference or docs/help is stale; run scripts/check_reference.sh --update and commit" >&2
  exit 1
fi
echo "check_reference: docs/reference and docs/help match what the add-in gives"
