#!/usr/bin/env bash
# Cross-builds the Windows program with MinGW-w64: build-windows/quillora.exe,
# one self-contained file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build windows
scripts/build-libpng-mingw.sh build-windows/deps
cmake -S . -B build-windows/build -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$PWD/build-windows/deps" \
  -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
  -DPNG_LIBRARY="$PWD/build-windows/deps/lib/libpng16.a" -DPNG_PNG_INCLUDE_DIR="$PWD/build-windows/deps/include" \
  >/dev/null
cmake --build build-windows/build -j"$(nproc)" --target quillora
cp build-windows/build/app/quillora.exe build-windows/quillora.exe
# A helper for the tests under Wine: reads the window's outer rectangle.
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -Wall -Wextra -static tests/wine/window_probe.cpp \
  -o build-windows/window_probe.exe
echo "Windows program: build-windows/quillora.exe"
