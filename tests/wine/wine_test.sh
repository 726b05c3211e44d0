#!/usr/bin/env bash
# The Windows program under Wine in a private X server: window, message box,
# result page, exit code; in two prefixes: one with CJK font substitutes, and
# a bare one with no font settings and an English locale. The result page must
# read back whole (OCR against the captions the program wrote) in both. Then
# the first prefix again at 150 % (LogPixels 144): the same flow at the scaled
# places, and a move to a 200 % monitor and back (WM_DPICHANGED).
# Usage: wine_test.sh QUILLORA_EXE PROBE_EXE WORK_DIR [WHY_NOT]
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
screen_w=1366 screen_h=768
start_x
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  WINEPREFIX=$work/prefix-substituted wineserver -k 2>/dev/null
  WINEPREFIX=$work/prefix-bare wineserver -k 2>/dev/null
  stop_x
}
trap cleanup EXIT

# One prefix per run, made once, with no update on later starts.
make_prefix() {  # make_prefix DIR
  rm -rf "$1"
  WINEPREFIX=$1 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$1 wineserver -w
  echo disable >"$1/.update-timestamp"
}

run_flow() {  # run_flow NAME: the whole flow in $WINEPREFIX, screenshots as windows[-NAME]-*.png
  local name=$1 tag pid win left top width height box code captions report age
  tag=windows${name:+-$name}
  : >"$work/paints-$tag.log"
  QUILLORA_PAINT_LOG=$(winepath -w "$work/paints-$tag.log" 2>/dev/null) \
    faketime '2024-03-01 10:00:00' wine "$exe" >/dev/null 2>&1 &
  pid=$!
  win=$(wait_for_window '^Quillora$' 30) || { check "$tag: the window appears" false; return; }
  sleep 1
  read -r left top width height < <(wine "$probe" | tr -d '\r')
  if ((DPI == 96)); then
    check "$tag: window of class Quillora, outer size 800 x 666" eq "${width}x${height}" "800x666"
  else
    # Scaled, the client area is the design's scaled; the frame is the system's.
    eval "$(xdotool getwindowgeometry --shell "$win")"
    check "$tag: client area $(sc 794) x $(sc 637)" eq "${WIDTH}x${HEIGHT}" "$(sc 794)x$(sc 637)"
  fi
  # Centred in design pixels: the screen in whole design pixels, the outer rectangle in its middle.
  check "$tag: centred" eq "$left,$top" "$(sc $(((screen_w * 96 / DPI - 800) / 2))),$(sc $(((screen_h * 96 / DPI - 666) / 2)))"

  type_date_and_start "$win" "$shots" "$tag"
  box=$(wait_for_window '^Quillora.+' 10)
  check "$tag: a message box opens" test -n "$box"
  sleep 0.5
  import -window root "$shots/$tag-message-box.png"
  xdotool key --window "$box" Return 2>/dev/null || xdotool key Return
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Quillora.+' >/dev/null 2>&1 || break
    sleep 0.1
  done
  sleep 1.5
  # The captions and the screenshot of the same second: the probe reads them
  # just before and just after the screenshot, until both agree.
  for _ in $(seq 10); do
    captions=$(wine "$probe" captions | tr -d '\r')
    import -window "$win" "$shots/$tag-result.png"
    [[ $(wine "$probe" captions | tr -d '\r') == "$captions" ]] && break
    sleep 0.3
  done
  check_result_page "$shots/$tag-result.png" "$work"
  check_band_edge "$shots/$tag-result.png"
  report=$(grep -F '秒' <<<"$captions" | head -n 1)
  age=$(grep -F '岁了' <<<"$captions" | head -n 1)
  check "$tag: the probe reads the report and the age" test -n "$report" -a -n "$age"
  check_report_reads_back "$shots/$tag-result.png" "$report" "$age" "$tag"

  # A tick repaints the two labels that changed, nothing else (no picture).
  local before
  before=$(wc -l <"$work/paints-$tag.log")
  sleep 3.2
  check "$tag: ticks paint only 标签4 and 标签6" eq \
    "$(tail -n +$((before + 1)) "$work/paints-$tag.log" | tr -d '\r' | sort -u | tr '\n' ' ')" "标签4 标签6 "
  check "$tag: a tick paints each about once" test "$(tail -n +$((before + 1)) "$work/paints-$tag.log" | grep -c '标签6')" -le 4

  ((DPI == 96)) || check_moves_between_monitors "$tag" "$win"

  xdotool mousemove --window "$win" "$(sc 700)" "$(sc 450)" click 1
  sleep 0.3
  xdotool key Escape
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  wait "$pid"
  code=$?
  check "$tag: Esc ends the program with exit code 0" eq "$code" 0
}

# Windows tells a window moved to a monitor of another DPI with WM_DPICHANGED;
# the probe sends it as Windows would. The window is made again at 200 % and
# then back at its own scale it shows the same band and clock, pixel for pixel,
# and the page reads back whole.
check_moves_between_monitors() {  # check_moves_between_monitors TAG WIN
  local tag=$1 win=$2 g captions
  wine "$probe" dpi 192
  sleep 1
  import -window "$win" "$shots/$tag-moved-200.png"
  check "$tag: on a 200 % monitor the window is larger" ge "$(identify -format '%w' "$shots/$tag-moved-200.png")" 1588
  wine "$probe" dpi "$DPI"
  sleep 1
  captions=$(wine "$probe" captions | tr -d '\r')
  import -window "$win" "$shots/$tag-moved-back.png"
  eval "$(xdotool getwindowgeometry --shell "$win")"
  check "$tag: back at its own scale, client area $(sc 794) x $(sc 637)" eq "${WIDTH}x${HEIGHT}" "$(sc 794)x$(sc 637)"
  for g in "$(sc 120)x$(sc 120)+$(sc 184)+$(sc 24)" "$(sc 794)x$(sc 60)+0+0" "$(sc 240)x$(sc 100)+0+$(sc 100)"; do
    check "$tag: back at its own scale, $g as before" eq \
      "$(compare -metric AE -extract "$g" "$shots/$tag-result.png" "$shots/$tag-moved-back.png" null: 2>&1)" 0
  done
  check_report_reads_back "$shots/$tag-moved-back.png" "$(grep -F '秒' <<<"$captions" | head -n 1)" \
    "$(grep -F '岁了' <<<"$captions" | head -n 1)" "$tag, moved back"
}

# The prefix with substitutes: CJK fonts for the stock GUI font and for the
# default face of the 24-pixel font.
export WINEPREFIX=$work/prefix-substituted
make_prefix "$WINEPREFIX"
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
run_flow ""
wineserver -k 2>/dev/null

# A bare prefix, as a new user has it: no font settings, an English locale.
export WINEPREFIX=$work/prefix-bare
LANG=en_US.UTF-8 LC_ALL= make_prefix "$WINEPREFIX"
LANG=en_US.UTF-8 LC_ALL= run_flow bare
wineserver -k 2>/dev/null

# The first prefix at 150 %, on a screen large enough for the window.
stop_x
screen_w=2560 screen_h=1600
start_x "${screen_w}x${screen_h}"
export WINEPREFIX=$work/prefix-substituted
cat >"$work/scale.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000090
REG
wine regedit "$work/scale.reg" >/dev/null 2>&1
wineserver -w
DPI=144
run_flow 144

echo "$FAILURES failed"
exit $((FAILURES > 0))
