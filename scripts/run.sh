#!/usr/bin/env bash
# Builds everything and runs the main job: the host, under Wine, loads
# ZrRand3.xll and evaluates formulas. Usage: scripts/run.sh [FORMULA...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEDEBUG=-all

"$root/scripts/setup.sh"
"$root/scripts/build.sh" native
"$root/scripts/build.sh" windows
bin=$root/build/windows/bin
if [ $# -eq 0 ]; then set -- "ZrVersion()"; fi
cd "$bin"
/usr/lib/wine/wine64 ./zrhost.exe ZrRand3.xll "$@"
