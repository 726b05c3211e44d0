#!/usr/bin/env bash
# Draws the pictures and the icon anew into assets/ (they are committed; run
# this only to change them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
apt_font=$(fc-match -f '%{file}' 'Noto Sans CJK SC')
index=$(fc-match -f '%{index}' 'Noto Sans CJK SC')
mkdir -p build/tools
g++ -std=c++20 -O2 -Wall -Wextra tools/make_pictures.cpp -o build/tools/make_pictures \
  $(pkg-config --cflags --libs freetype2 libpng)
mkdir -p assets/icons
build/tools/make_pictures assets "$apt_font" "$index"
