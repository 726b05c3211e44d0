#!/usr/bin/env bash
# The Windows program under Wine beside Wine's own clock.exe (which redraws
# once a second), each with its own prefix, wineserver and Xvfb, in one run:
# CPU per tick over CPU_SECONDS counting the program, its wineserver and its
# X server (schedstat).
# Usage: bench/wine_bench.sh [QUILLORA_EXE] [CPU_SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
exe=$(realpath "${1:-build/windows/app/quillora.exe}")
cpu_seconds=${2:-60}
source tests/x11/lib.sh
work=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

declare -A DISPLAY_OF XVFB_OF SERVER_OF PID_OF
cleanup() {
  for who in quillora clock; do
    [[ -n ${SERVER_OF[$who]:-} ]] && WINEPREFIX=$work/$who wineserver -k 2>/dev/null
    [[ -n ${XVFB_OF[$who]:-} ]] && kill "${XVFB_OF[$who]}" 2>/dev/null
  done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
for who in quillora clock; do
  start_x
  DISPLAY_OF[$who]=$DISPLAY
  XVFB_OF[$who]=$XVFB_PID
  export WINEPREFIX=$work/$who
  wineboot -i >/dev/null 2>&1
  wineserver -w
  echo disable >"$WINEPREFIX/.update-timestamp"
  wineserver -f -p >/dev/null 2>&1 &  # in the foreground of a job of ours: its pid is known
  SERVER_OF[$who]=$!
  if [[ $who == quillora ]]; then
    wine "$exe" 19900615 >/dev/null 2>&1 &  # the date opens the result page at once
    name='^Quillora$'
  else
    wine clock >/dev/null 2>&1 &
    name='Clock'
  fi
  wait_for_window "$name" 60 >/dev/null || { echo "$who never showed its window" >&2; exit 1; }
  # The process of the .exe itself: "wine clock" starts clock.exe apart from the wine it ran.
  PID_OF[$who]=$(pgrep -n -f "$who\.exe")
done
sleep 3
declare -A C0 C1 P0 P1
parts() {  # parts WHO: CPU nanoseconds of the program, its wineserver, its X server
  local who=$1
  echo "$(cpu_ns "${PID_OF[$who]}") $(cpu_ns "${SERVER_OF[$who]}") $(cpu_ns "${XVFB_OF[$who]}")"
}
total() {  # total WHO: CPU nanoseconds of the program, its wineserver and its X server
  local who=$1 sum=0 pid
  for pid in "${PID_OF[$who]}" "${SERVER_OF[$who]}" "${XVFB_OF[$who]}"; do sum=$((sum + $(cpu_ns "$pid"))); done
  echo "$sum"
}
for who in quillora clock; do C0[$who]=$(total "$who"); P0[$who]=$(parts "$who"); done
sleep "$cpu_seconds"
for who in quillora clock; do C1[$who]=$(total "$who"); P1[$who]=$(parts "$who"); done
q=$(awk -v a="${C0[quillora]}" -v b="${C1[quillora]}" -v s="$cpu_seconds" 'BEGIN {printf "%.3f", (b - a) / 1e6 / s}')
c=$(awk -v a="${C0[clock]}" -v b="${C1[clock]}" -v s="$cpu_seconds" 'BEGIN {printf "%.3f", (b - a) / 1e6 / s}')
printf '%-44s %12s %12s %8s\n' "" quillora.exe "wine clock" ratio
printf '%-44s %12s %12s %8s\n' "CPU per tick, program + wineserver + X (ms)" "$q" "$c" "$(awk -v a="$q" -v b="$c" 'BEGIN {printf "%.2fx", a / b}')"
for who in quillora clock; do
  read -r a b c <<<"${P0[$who]}"
  read -r d e f <<<"${P1[$who]}"
  awk -v w="$who" -v p=$((d - a)) -v s=$((e - b)) -v x=$((f - c)) -v t="$cpu_seconds" \
    'BEGIN {printf "  %-10s program %.3f ms, wineserver %.3f ms, X server %.3f ms a tick\n", w, p / 1e6 / t, s / 1e6 / t, x / 1e6 / t}'
done
