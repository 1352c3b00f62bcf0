#!/usr/bin/env bash
# Prints the lines of test code against the lines of every other source file
# of the repository. Test code is everything under tests/ except the data
# files the reference scripts generate (tests/math/data/*.inc).
set -euo pipefail
cd "$(dirname "$0")/.."

lines() { if [ $# -gt 0 ]; then cat "$@" | wc -l; else echo 0; fi; }
mapfile -t tests < <(git ls-files tests | grep -v '^tests/math/data/.*\.inc$')
mapfile -t code < <(git ls-files math functions xll addin host bench scripts cmake CMakeLists.txt)
t=$(lines "${tests[@]}")
c=$(lines "${code[@]}")
echo "Test code: $t lines against $c lines of other code ($((100 * t / c))%)."
