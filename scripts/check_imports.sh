#!/usr/bin/env bash
# Fails unless the add-in imports only Windows system DLLs and XLCALL32.DLL.
set -euo pipefail
xll=${1:?path to ZrRand3.xll}
allowed='^(KERNEL32|USER32|ADVAPI32|ole32|OLEAUT32|OLEACC|msvcrt|XLCALL32|api-ms-win-[a-z0-9-]+)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$xll" | sed -n 's/^[[:space:]]*DLL Name: //p')
echo "ZrRand3.xll imports: $(echo $dlls)"
bad=$(echo "$dlls" | grep -viE "$allowed" || true)
if [ -n "$bad" ]; then
  echo "unexpected imports: $bad" >&2
  exit 1
fi
