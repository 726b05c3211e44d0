#!/usr/bin/env bash
# The Linux program on a scaled screen: the desktop's Xft.dpi resource set
# with xrdb, as desktops set it. The window, its places, fonts and pictures are
# the design's, scaled by DPI / 96; the result page reads back whole.
# Usage: scaled_test.sh QUILLORA QUILLORA_HEADLESS SCREENSHOT_DIR DPI
set -uo pipefail
program=$1
headless=$2
shots=$3
export DPI=$4
mkdir -p "$shots"
source "$(dirname "$0")/lib.sh"
screen_w=2560 screen_h=1600
start_x "${screen_w}x${screen_h}"
trap stop_x EXIT
echo "Xft.dpi: $DPI" | xrdb -merge
tag=linux-$DPI

now='2024-03-01 10:00:00'
faketime "$now" "$program" &
pid=$!
win=$(wait_for_window '^Quillora$') || { echo "not ok - the window never appeared"; exit 1; }
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
check "client area $(sc 794) x $(sc 637)" eq "${WIDTH}x${HEIGHT}" "$(sc 794)x$(sc 637)"
# Centred in design pixels, as at 96 dpi: the screen's size in whole design
# pixels, the window's outer rectangle in the middle, the client area in its frame.
left=$(((screen_w * 96 / DPI - 800) / 2)) top=$(((screen_h * 96 / DPI - 666) / 2))
check "centred place" eq "$X,$Y" "$(sc $((left + 3))),$(sc $((top + 26)))"

linux_flow_to_result_page "$win" "$shots" "$tag"
scratch=$(mktemp -d)
expected_pages "$headless" 19900615 "$now" 120 >"$scratch/expected"
check_page_reads_as_one_of "$shots/$tag-result.png" "$scratch/expected" "$tag"
rm -rf "$scratch"

xdotool key Escape
wait "$pid"
check "Esc ends the program with exit code 0" eq "$?" 0

# QUILLORA_SCALE overrides the desktop's resource; a value that is no scale
# factor is reported and ignored.
for case in "2:1588x1274" "1:794x637" "huge:$(sc 794)x$(sc 637)"; do
  QUILLORA_SCALE=${case%%:*} "$program" 2>"$shots/$tag-stderr.txt" &
  pid=$!
  win=$(wait_for_window '^Quillora$') || { check "QUILLORA_SCALE=${case%%:*}: the window appears" false; continue; }
  eval "$(xdotool getwindowgeometry --shell "$win")"
  check "QUILLORA_SCALE=${case%%:*}: client area ${case#*:}" eq "${WIDTH}x${HEIGHT}" "${case#*:}"
  kill "$pid"
  wait "$pid"
done
check "a bad QUILLORA_SCALE is reported" grep -q 'QUILLORA_SCALE=huge' "$shots/$tag-stderr.txt"
rm -f "$shots/$tag-stderr.txt"

echo "$FAILURES failed"
exit $((FAILURES > 0))
