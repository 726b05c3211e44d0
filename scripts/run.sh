#!/usr/bin/env bash
# Builds the desktop program and starts it on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake -S . -B build >/dev/null
cmake --build build -j"$(nproc)" --target quillora
if [[ -z "${DISPLAY:-}" ]]; then
  echo "Quillora needs a graphical display, and DISPLAY is not set." >&2
  echo "Start it from a desktop session, or try: Xvfb :1 & DISPLAY=:1 bash scripts/run.sh" >&2
  exit 1
fi
exec build/app/quillora "$@"
