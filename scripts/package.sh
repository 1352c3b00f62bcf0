#!/usr/bin/env bash
# Makes the release archive ZrRand3-VERSION.zip from the Windows build: the
# add-in, its help file, the README and docs/ (the function reference and the
# README's pictures). The version comes from functions/version_info.h.
# Usage: scripts/package.sh [BUILD_ROOT]   (after scripts/build.sh windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_root=${1:-$root/build}
bin=$build_root/windows/bin

version=$(sed -nE 's/^#define ZR_VERSION_(MAJOR|MINOR|PATCH) ([0-9]+)$/\2/p' "$root/functions/version_info.h" | paste -sd.)
[[ $version =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]] || { echo "package.sh: no version in functions/version_info.h" >&2; exit 1; }
for f in "$bin/ZrRand3.xll" "$bin/ZrRand3.chm"; do
  [ -f "$f" ] || { echo "package.sh: $f is missing (build it first: scripts/build.sh windows)" >&2; exit 1; }
done
for f in "$root/README.md" "$root/docs/reference"; do
  [ -e "$f" ] || { echo "package.sh: $f is missing" >&2; exit 1; }
done
# Only a release file: system imports, no debug information inside.
"$root/scripts/check_imports.sh" "$bin/ZrRand3.xll"
"$root/scripts/check_debug_link.sh" "$bin/ZrRand3.xll"

name=ZrRand3-$version
zip=$build_root/$name.zip
rm -f "$zip"
# Everything under one folder named like the archive.
python3 - "$zip" "$name" "$bin/ZrRand3.xll" "$bin/ZrRand3.chm" "$root/README.md" "$root/docs" <<'PY'
import pathlib, sys, zipfile
zip_path, folder, *paths = sys.argv[1:]
with zipfile.ZipFile(zip_path, "w", zipfile.ZIP_DEFLATED) as z:
    for p in map(pathlib.Path, paths):
        files = sorted(f for f in p.rglob("*") if f.is_file()) if p.is_dir() else [p]
        for f in files:
            z.write(f, f"{folder}/{f.relative_to(p.parent)}")
    for info in z.infolist():
        print(f"{info.file_size:>10}  {info.filename}")
PY
echo "$zip: $(stat -c %s "$zip") bytes"
