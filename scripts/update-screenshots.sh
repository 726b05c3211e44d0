#!/usr/bin/env bash
# Copies the X-server test's screenshots of both pages to DEST (default docs/),
# where the README shows them. Run the tests first (bash scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
dest=${1:-docs}
mkdir -p "$dest"
for page in entry result; do
  src=build/screenshots/linux-$page.png
  [[ -f $src ]] || { echo "update-screenshots.sh: $src is missing; run bash scripts/test.sh" >&2; exit 1; }
  cp "$src" "$dest/$page-page.png"
done
echo "Screenshots in $dest/"
