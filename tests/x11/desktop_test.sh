#!/usr/bin/env bash
# The Linux program in a real X server: window, pages, pictures, keys, exit code.
# Usage: desktop_test.sh QUILLORA QUILLORA_HEADLESS SCREENSHOT_DIR
set -uo pipefail
program=$1
headless=$2
shots=$3
mkdir -p "$shots"
source "$(dirname "$0")/lib.sh"
start_x
trap stop_x EXIT

# The present starts at 2024-03-01 10:00:00 and runs on.
faketime '2024-03-01 10:00:00' "$program" &
pid=$!
win=$(wait_for_window '^Quillora$') || { echo "not ok - the window never appeared"; exit 1; }
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
check "title and class" eq "$(xprop -id "$win" WM_CLASS | sed 's/.*= //')" '"Quillora", "Quillora"'
check "client area 794 x 637" eq "${WIDTH}x${HEIGHT}" "794x637"
# Outer rectangle centred at 283, 51 on 1366 x 768; the client area lies inside the frame.
check "centred place" eq "$X,$Y" "286,77"

linux_flow_to_result_page "$win" "$shots" linux
scratch=$(mktemp -d)
expected_pages "$headless" 19900615 '2024-03-01 10:00:00' 120 >"$scratch/expected"
check_page_reads_as_one_of "$shots/linux-result.png" "$scratch/expected" linux
rm -rf "$scratch"

xdotool mousemove --window "$win" 397 592 click 1
sleep 0.5
import -window "$win" "$shots/linux-back.png"
check "the back button brings the entry page" ge "$(dark_share "$shots/linux-back.png" 80 140 357 150)" 3

xdotool key Escape
wait "$pid"
code=$?
check "Esc ends the program with exit code 0" eq "$code" 0

# A date on the command line opens the result page at once, without a message box.
# Every paint is logged: a tick repaints the two labels that changed, nothing else.
paints=$(mktemp)
QUILLORA_PAINT_LOG=$paints faketime '2024-03-01 10:00:00' "$program" 19900615 &
pid=$!
win=$(wait_for_window '^Quillora$') || { echo "not ok - the window never appeared"; exit 1; }
sleep 1
check "no message box for a command-line date" test -z "$(xdotool search --onlyvisible --name 'Quillora.' 2>/dev/null)"
import -window "$win" "$shots/linux-command-line.png"
scratch=$(mktemp -d)
check_result_page "$shots/linux-command-line.png" "$scratch"
rm -rf "$scratch"
before=$(wc -l <"$paints")
sleep 3.2
tail -n +$((before + 1)) "$paints" | sort | uniq -c >"$paints.ticks"
check "ticks paint only 标签4 and 标签6" eq "$(awk '{print $2}' "$paints.ticks" | tr '\n' ' ')" "标签4 标签6 "
for label in 标签4 标签6; do
  check "$label is painted once a tick" test "$(awk -v l="$label" '$2 == l {print $1}' "$paints.ticks")" -ge 2 -a \
    "$(awk -v l="$label" '$2 == l {print $1}' "$paints.ticks")" -le 4
done
# After ticks that repainted only parts of the labels, the page still reads whole.
import -window "$win" "$shots/linux-after-ticks.png"
read_back=$(ocr_page "$shots/linux-after-ticks.png" 560x556+0+0)
check "after ticks the age line reads whole" grep -qE '[0-9]{2}\.[0-9]{11}岁了' <<<"$read_back"
check "after ticks the report reads whole" grep -qE '[0-9]+年[0-9]+月[0-9]+周[0-9]+天[0-9]+小时[0-9]+分钟[0-9]{10}秒' <<<"$read_back"
# Back on the entry page the timer goes on, but the labels it changes are out of sight.
xdotool mousemove --window "$win" 397 592 click 1
sleep 1
before=$(wc -l <"$paints")
sleep 2.2
check "out of sight, a tick paints nothing" eq "$(tail -n +$((before + 1)) "$paints" | wc -l)" 0
rm -f "$paints" "$paints.ticks"
xdotool key Escape
wait "$pid"
check "Esc ends it with exit code 0" eq "$?" 0

echo "$FAILURES failed"
exit $((FAILURES > 0))
