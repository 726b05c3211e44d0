#!/usr/bin/env bash
# Builds everything and runs every test: the plain build (with the Windows
# program cross-built inside it), the sanitizer build (with a short fuzz run),
# the desktop program under Xvfb, the Windows program under Wine, and the
# README's own commands (run, install, package, Windows build).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/deps.sh build run package test windows

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORA_WINDOWS=ON >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_BENCH=OFF -DQUILLORA_WINDOWS=OFF >/dev/null
cmake --build build-asan -j"$jobs"

status=0
(cd build && ctest --output-on-failure -j"$jobs") || status=1
(cd build-asan && ctest --output-on-failure -j"$jobs" -LE gui) || status=1
bash tests/readme/readme_test.sh || status=1
exit $status
