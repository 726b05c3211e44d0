#!/usr/bin/env bash
# The Windows program under Wine in a private X server: window, message box,
# result page, exit code. Usage: wine_test.sh QUILLORA_EXE PROBE_EXE WORK_DIR [WHY_NOT]
# Exits 77 (skipped) with the reason when there is no .exe of this build or no Wine.
set -uo pipefail
skip() { echo "skipped: $1"; exit 77; }
[[ -z ${4:-} ]] || skip "$4"
[[ -f $1 && -f $2 ]] || skip "$1 was not built"
command -v wine >/dev/null || skip "wine is not installed (scripts/deps.sh windows)"
exe=$(realpath "$1")
probe=$(realpath "$2")
work=$(realpath -m "$3")
shots=$work/screenshots
mkdir -p "$shots"
source "$(dirname "$0")/../x11/lib.sh"
start_x
export WINEPREFIX=$work/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k 2>/dev/null
  stop_x
}
trap cleanup EXIT

# One prefix per run, made once: no update on later starts, CJK fonts for the
# stock GUI font and for the default face of the 24-pixel font.
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
echo disable >"$WINEPREFIX/.update-timestamp"
cat >"$work/fonts.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"MS Shell Dlg"="Noto Sans CJK SC"
"MS Shell Dlg 2"="Noto Sans CJK SC"
"Tahoma"="Noto Sans CJK SC"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="AR PL UMing CN"
REG
wine regedit "$work/fonts.reg" >/dev/null 2>&1
wineserver -w

faketime '2024-03-01 10:00:00' wine "$exe" >/dev/null 2>&1 &
pid=$!
win=$(wait_for_window '^Quillora$' 30) || { echo "not ok - the window never appeared"; exit 1; }
sleep 1
read -r left top width height < <(wine "$probe" | tr -d '\r')
check "window of class Quillora, outer size 800 x 666" eq "${width}x${height}" "800x666"
check "centred at 283, 51" eq "$left,$top" "283,51"

import -window "$win" "$shots/windows-entry.png"
check_entry_page "$shots/windows-entry.png"

xdotool mousemove --window "$win" 200 340 click 1
sleep 0.5
xdotool type --delay 80 '19a900615'
sleep 0.5
import -window "$win" "$shots/windows-typed.png"
check "the hint is gone and the digits show" ge "$(dark_share "$shots/windows-typed.png" 120 28 45 326)" 3

xdotool mousemove --window "$win" 397 416 click 1
box=$(wait_for_window '^Quillora.+' 10)
check "a message box opens" test -n "$box"
sleep 0.5
import -window root "$shots/windows-message-box.png"
xdotool key --window "$box" Return 2>/dev/null || xdotool key Return
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Quillora.+' >/dev/null 2>&1 || break
  sleep 0.1
done
sleep 1.5
import -window "$win" "$shots/windows-result.png"
check_result_page "$shots/windows-result.png" "$work"

xdotool mousemove --window "$win" 700 450 click 1
sleep 0.3
xdotool key Escape
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
wait "$pid"
code=$?
check "Esc ends the program with exit code 0" eq "$code" 0

echo "$FAILURES failed"
exit $((FAILURES > 0))
