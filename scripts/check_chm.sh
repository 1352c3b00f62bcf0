#!/usr/bin/env bash
# Checks the built help file against the add-in: every help topic the add-in
# registers (ZrRand3.chm!NUMBER, as the host lists them) must be a context of
# ZrRand3.chm whose page is that function's (its heading names the function).
# Usage: scripts/check_chm.sh [BUILD_DIR]   (default build/windows; the host runs under Wine)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/windows}/bin" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -f "$bin/zrhost.exe" ]; then
  wine "$bin/zrhost.exe" --list "$bin/ZrRand3.xll" >"$work/list"
else
  "$bin/zrhost" --list "$bin/ZrRand3.so" >"$work/list"
fi
# NAME NUMBER for each registration with a help topic.
awk '/^[^ ]/ { name = $1; sub(/\(.*/, "", name) } /^  Help: / { n = $2; sub(/.*!/, "", n); print name, n }' \
  "$work/list" | tr -d '\r' >"$work/topics"
# The context map (ZrRand3.ali: helpidNUMBER=/page.html, written beside the
# file whatever name is asked for) and the pages.
cp "$bin/ZrRand3.chm" "$work/"
(cd "$work" && chmls extractalias ZrRand3.chm >/dev/null 2>&1 && chmls extractall ZrRand3.chm pages >/dev/null 2>&1)

count=$(wc -l <"$work/topics")
failed=0
while read -r name number; do
  page=$(sed -n "s|^helpid$number=/||p" "$work/ZrRand3.ali")
  # Hidden commands carry the module's path in their names; their pages name them by event.
  heading=$(echo "$name" | sed -E 's/^xll_.*_([^_]+)$/xll_\&lt;module\&gt;_\1/')
  if [ -z "$page" ]; then
    echo "check_chm: help context $number ($name) is not in ZrRand3.chm" >&2; failed=1
  elif ! grep -qF "<h1>$heading</h1>" "$work/pages/$page" 2>/dev/null; then
    echo "check_chm: help context $number ($name) opens $page, not the page of $name" >&2; failed=1
  fi
done <"$work/topics"
[ "$count" -gt 0 ] || { echo "check_chm: the add-in registered no help topics" >&2; exit 1; }
[ $failed = 0 ] && echo "check_chm: all $count registered help contexts open their function's page"
exit $failed
