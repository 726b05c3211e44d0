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

import -window "$win" "$shots/$tag-entry.png"
check_entry_page "$shots/$tag-entry.png"

xdotool mousemove --window "$win" "$(sc 200)" "$(sc 340)" click 1
sleep 0.3
import -window "$win" "$shots/$tag-hint-gone.png"
check "a click at the hint's scaled place hides it" \
  eq "$(dark_share "$shots/$tag-hint-gone.png" "$(sc 300)" "$(sc 24)" "$(sc 45)" "$(sc 328)")" 0
xdotool type --delay 40 '19a900615'
sleep 0.2
import -window "$win" "$shots/$tag-typed.png"
check "typed digits show in the box" ge "$(dark_share "$shots/$tag-typed.png" "$(sc 120)" "$(sc 28)" "$(sc 45)" "$(sc 326)")" 3

xdotool mousemove --window "$win" "$(sc 397)" "$(sc 416)" click 1
box=$(wait_for_window 'Quillora.' 5)
check "a click at the button's scaled place opens the message box" test -n "$box"
sleep 0.3
import -window root "$shots/$tag-message-box.png"
xdotool key Return
sleep 1.5
import -window "$win" "$shots/$tag-result.png"
scratch=$(mktemp -d)
check_result_page "$shots/$tag-result.png" "$scratch"
check_band_edge "$shots/$tag-result.png"
expected_pages "$headless" 19900615 "$now" 120 >"$scratch/expected"
check_page_reads_as_one_of "$shots/$tag-result.png" "$scratch/expected" "$tag"
rm -rf "$scratch"
# The age line fills its label as at 96 dpi: ink at its right end, background in its last column.
check "the age line reaches the end of its label" ge "$(dark_share "$shots/$tag-result.png" "$(sc 24)" "$(sc 40)" "$(sc 510)" "$(sc 64)")" 3
check "the age line is not cut at its last column" eq "$(dark_share "$shots/$tag-result.png" 1 "$(sc 40)" $(($(sc 536) - 1)) "$(sc 64)")" 0

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
