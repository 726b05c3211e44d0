#!/usr/bin/env bash
# Builds everything and runs every test: the plain build, the sanitizer build
# (with a short fuzz run), the desktop program under Xvfb and the Windows
# program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/deps.sh build run test windows

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLORA_SANITIZE=ON -DQUILLORA_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
if [[ -x scripts/build-windows.sh ]]; then
  scripts/build-windows.sh
fi

status=0
(cd build && ctest --output-on-failure -j"$jobs") || status=1
(cd build-asan && ctest --output-on-failure -j"$jobs" -LE gui) || status=1
exit $status
