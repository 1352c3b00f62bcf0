#!/usr/bin/env bash
# Configures and builds one flavour: native, sanitize (native with ASan and
# UBSan), tsan (native with ThreadSanitizer, for the thread tests), windows
# (MinGW-w64 cross build, tests under Wine) or fuzz (the libFuzzer targets
# alone, built by clang with ASan and UBSan).
# Usage: scripts/build.sh FLAVOUR [BUILD_ROOT]
set -euo pipefail
flavour=${1:?native, sanitize, tsan, windows or fuzz}
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${2:-$root/build}
dir=$build_root/$flavour

case $flavour in
  native)   args=(-DCMAKE_BUILD_TYPE=Release) ;;
  sanitize) args=(-DCMAKE_BUILD_TYPE=Debug -DZR_SANITIZE=ON -DZR_BENCHMARKS=OFF) ;;
  tsan)     args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_TSAN=ON -DZR_BENCHMARKS=OFF) ;;
  windows)  args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake") ;;
  fuzz)     args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZR_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown flavour $flavour" >&2; exit 2 ;;
esac

cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
