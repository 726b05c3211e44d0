#!/usr/bin/env bash
# Builds the Debian package of the Linux program: dist/quillora_VERSION_amd64.deb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run package
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target quillora quillora_docs
rm -rf build/package
(cd build && cpack -G DEB -B "$PWD/package" >/dev/null)
mkdir -p dist
deb=$(ls build/package/quillora_*_amd64.deb)
cp "$deb" dist/
echo "Debian package: dist/$(basename "$deb")"
echo "Install it with: sudo apt install ./dist/$(basename "$deb")"
