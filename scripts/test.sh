#!/usr/bin/env bash
# Builds and runs every test: native with sanitizers (the thread tests also
# under ThreadSanitizer), then the Windows build under Wine.
# Usage: scripts/test.sh [BUILD_ROOT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${1:-$root/build}
export WINEDEBUG=-all
# The share of test code, printed at the end of every run, passed or not.
trap '"$root/scripts/test_ratio.sh" || true' EXIT

"$root/scripts/setup.sh"
"$root/scripts/build.sh" sanitize "$build_root"
ctest --test-dir "$build_root/sanitize" --output-on-failure -j "$(nproc)"
# The generated function reference and the worked example must match what the add-in gives now.
"$root/scripts/check_reference.sh" "$build_root/sanitize"
"$root/scripts/check_example.sh" "$build_root/sanitize"
"$root/scripts/build.sh" fuzz "$build_root"
for t in conversion format formula; do "$root/scripts/fuzz.sh" "$t" 20 "$build_root"; done
# The thread tests again under ThreadSanitizer; any report fails the run.
"$root/scripts/build.sh" tsan "$build_root"
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir "$build_root/tsan" --output-on-failure -R 'Concurrent|Thread'
"$root/scripts/build.sh" windows "$build_root"
"$root/scripts/check_imports.sh" "$build_root/windows/bin/ZrRand3.xll"
"$root/scripts/check_chm.sh" "$build_root/windows"
# The Windows tests open windows: a virtual X display for Wine, gone afterwards.
# One of them saves the README's picture of the dialog with a list open.
ZR_SCREENSHOT="$root/docs/function-arguments-list.png" xvfb-run -a -s "-screen 0 800x600x24" \
  ctest --test-dir "$build_root/windows" --output-on-failure
