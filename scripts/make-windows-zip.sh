#!/usr/bin/env bash
# Packs dist/quillora-VERSION-win64.zip from a build folder whose Windows
# cross-build is done: quillora.exe and README.txt (Chinese and English).
# Usage: scripts/make-windows-zip.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
exe=$build/windows/app/quillora.exe
[[ -f $exe ]] || { echo "make-windows-zip.sh: $exe is missing; run scripts/build-windows.sh" >&2; exit 1; }
cache_value() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }
version=$(cache_value CMAKE_PROJECT_VERSION)
host=$(cache_value QUILLORA_HOST)
stage=$build/windows-zip/quillora-$version-win64
rm -rf "$build/windows-zip"
mkdir -p "$stage" dist
cp "$exe" "$stage/quillora.exe"
# UTF-8 with a byte order mark and CR LF lines, as Windows editors expect.
{ printf '\xEF\xBB\xBF'; sed -e "s/@VERSION@/$version/g" -e "s/@HOST@/$host/g" -e 's/$/\r/' packaging/windows/README.txt.in; } \
  >"$stage/README.txt"
zip=$PWD/dist/quillora-$version-win64.zip
rm -f "$zip"
(cd "$build/windows-zip" && cmake -E tar cf "$zip" --format=zip "quillora-$version-win64")
echo "Windows release: dist/quillora-$version-win64.zip"
