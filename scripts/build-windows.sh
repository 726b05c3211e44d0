#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64 as part of the main build
# (build/windows/app/quillora.exe, one self-contained file) and packs the
# release zip dist/quillora-VERSION-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build windows
cmake -S . -B build -DQUILLORA_WINDOWS=ON >/dev/null
cmake --build build -j"$(nproc)" --target quillora_windows
bash scripts/make-windows-zip.sh build
