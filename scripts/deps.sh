#!/usr/bin/env bash
# Installs the Debian packages a step needs, only those that are missing.
# Usage: scripts/deps.sh GROUP...   (groups: build run package test windows)
set -euo pipefail

declare -A GROUP=(
  [build]="cmake make g++ pkg-config libgtest-dev libbenchmark-dev libpng-dev zlib1g-dev libfltk1.3-dev libfontconfig-dev libfreetype-dev fonts-noto-cjk fontconfig"
  [run]="xdg-utils"
  [package]="dpkg-dev file"
  [test]="xvfb xauth xdotool imagemagick faketime x11-apps x11-utils x11-xserver-utils clang libclang-rt-14-dev locales tzdata time desktop-file-utils appstream lintian tesseract-ocr tesseract-ocr-chi-sim"
  [windows]="g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 libz-mingw-w64-dev wine64 wine dpkg-dev xz-utils fonts-arphic-uming"
)

wanted=()
for group in "$@"; do
  [[ -n "${GROUP[$group]:-}" ]] || { echo "deps.sh: unknown group $group" >&2; exit 2; }
  for pkg in ${GROUP[$group]}; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      wanted+=("$pkg")
    fi
  done
done
[[ ${#wanted[@]} -eq 0 ]] && exit 0

echo "Installing: ${wanted[*]}"
if [[ $(id -u) -eq 0 ]]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "deps.sh: need root or sudo to install ${wanted[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null
