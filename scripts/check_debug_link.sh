#!/usr/bin/env bash
# Fails unless the add-in carries no debug information or symbols and its
# debug link names the debug file beside it, with that file's checksum.
set -euo pipefail
xll=${1:?path to ZrRand3.xll}
objdump=x86_64-w64-mingw32-objdump
if $objdump -h "$xll" | grep -q ' \.debug_'; then
  echo "$xll has debug sections" >&2; exit 1
fi
if [ "$($objdump -t "$xll" | grep -c '^\[')" != 0 ]; then
  echo "$xll has a symbol table" >&2; exit 1
fi
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
link=$tmp/link
x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink="$link" "$xll" "$tmp/copy"
# The link: the file name, zero-padded to a multiple of 4, then its CRC-32 (little-endian).
debug=$(python3 - "$link" "$(dirname "$xll")" <<'PY'
import sys, zlib, pathlib
data = pathlib.Path(sys.argv[1]).read_bytes()
name = data[:data.index(b"\0")].decode()
debug = pathlib.Path(sys.argv[2]) / name
crc = int.from_bytes(data[-4:], "little")
if not debug.is_file() or zlib.crc32(debug.read_bytes()) != crc:
    sys.exit(f"the debug link names {name}, missing or of another build")
print(debug)
PY
)
$objdump -h "$debug" | grep -q ' \.debug_info' || { echo "$debug has no debug information" >&2; exit 1; }
echo "debug link: $debug, $(stat -c %s "$debug") bytes"
