#!/usr/bin/env bash
# Whole-process figures of the desktop program beside xclock (which also
# redraws once a second), each on its own Xvfb, in one run:
#   start-up to a mapped window (median of RUNS starts), peak memory (VmHWM),
#   CPU per tick on the result page over CPU_SECONDS counting the program and
#   its X server (schedstat), and resident memory over MEMORY_SECONDS.
# Usage: bench/desktop_bench.sh [QUILLORA] [RUNS] [CPU_SECONDS] [MEMORY_SECONDS]
# On a scaled screen: BENCH_SCREEN=2560x1600 QUILLORA_SCALE=2 bench/desktop_bench.sh ...
set -uo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/app/quillora}")
runs=${2:-11}
cpu_seconds=${3:-60}
memory_seconds=${4:-600}
source tests/x11/lib.sh

declare -A DISPLAY_OF XVFB_OF
servers=()
for who in quillora xclock; do
  start_x "${BENCH_SCREEN:-1366x768}"
  DISPLAY_OF[$who]=$DISPLAY
  XVFB_OF[$who]=$XVFB_PID
  servers+=("$XVFB_PID")
done
cleanup() { kill "${servers[@]}" 2>/dev/null; wait 2>/dev/null; }
trap cleanup EXIT

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2fx", a / b}'; }
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }  # nanoseconds on the CPU
name_of() { [[ $1 == quillora ]] && echo '^Quillora$' || echo '^xclock$'; }
start_cmd() { [[ $1 == quillora ]] && echo "$program ${2:-}" || echo "xclock -update 1"; }

# Milliseconds from start to the window being mapped, then VmHWM in kB.
start_once() {  # start_once WHO
  local who=$1 t0 t1 pid
  export DISPLAY=${DISPLAY_OF[$who]}
  t0=$(date +%s%N)
  $(start_cmd "$who") >/dev/null 2>&1 &
  pid=$!
  # Polled every few milliseconds (xdotool's own --sync waits half a second a try).
  local tries=0
  until xdotool search --onlyvisible --name "$(name_of "$who")" >/dev/null 2>&1; do
    sleep 0.005
    ((++tries < 2000)) || { echo "$who never mapped its window on $DISPLAY" >&2; exit 1; }
  done
  t1=$(date +%s%N)
  sleep 1.5
  echo "$(((t1 - t0) / 1000000)) $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
  kill "$pid"
  wait "$pid" 2>/dev/null
}

declare -A START PEAK
for _ in $(seq "$runs"); do
  for who in quillora xclock; do start_once "$who" >>"/tmp/bench-$$-$who"; done  # interleaved: same noise for both
done
for who in quillora xclock; do
  START[$who]=$(cut -d' ' -f1 "/tmp/bench-$$-$who" | median)
  PEAK[$who]=$(cut -d' ' -f2 "/tmp/bench-$$-$who" | median)
  rm -f "/tmp/bench-$$-$who"
done

# Both running at once on the result page and the clock face.
declare -A PID
for who in quillora xclock; do
  export DISPLAY=${DISPLAY_OF[$who]}
  $(start_cmd "$who" 19900615) >/dev/null 2>&1 &  # the date opens the result page at once
  PID[$who]=$!
  wait_for_window "$(name_of "$who")" >/dev/null
done
sleep 2
declare -A CPU0 CPU1 XCPU0 XCPU1
for who in quillora xclock; do CPU0[$who]=$(cpu_ns "${PID[$who]}"); XCPU0[$who]=$(cpu_ns "${XVFB_OF[$who]}"); done
sleep "$cpu_seconds"
for who in quillora xclock; do CPU1[$who]=$(cpu_ns "${PID[$who]}"); XCPU1[$who]=$(cpu_ns "${XVFB_OF[$who]}"); done
declare -A TICK OWN
for who in quillora xclock; do
  OWN[$who]=$(awk -v a="${CPU0[$who]}" -v b="${CPU1[$who]}" -v s="$cpu_seconds" 'BEGIN {printf "%.3f", (b - a) / 1e6 / s}')
  TICK[$who]=$(awk -v a="${CPU0[$who]}" -v b="${CPU1[$who]}" -v c="${XCPU0[$who]}" -v d="${XCPU1[$who]}" -v s="$cpu_seconds" \
    'BEGIN {printf "%.3f", (b - a + d - c) / 1e6 / s}')
done

printf '%-34s %12s %12s %8s\n' "" quillora "xclock -update 1" ratio
printf '%-34s %12s %12s %8s\n' "CPU per tick, program + X (ms)" "${TICK[quillora]}" "${TICK[xclock]}" "$(ratio "${TICK[quillora]}" "${TICK[xclock]}")"
printf '%-34s %12s %12s %8s\n' "  of which the program (ms)" "${OWN[quillora]}" "${OWN[xclock]}" "$(ratio "${OWN[quillora]}" "${OWN[xclock]}")"
printf '%-34s %12s %12s %8s\n' "peak memory VmHWM (kB, median)" "${PEAK[quillora]}" "${PEAK[xclock]}" "$(ratio "${PEAK[quillora]}" "${PEAK[xclock]}")"
printf '%-34s %12s %12s %8s\n' "start to mapped (ms, median of $runs)" "${START[quillora]}" "${START[xclock]}" "$(ratio "${START[quillora]}" "${START[xclock]}")"

if ((memory_seconds > 0)); then
  echo "resident memory (kB) every $((memory_seconds / 10)) s over $memory_seconds s:"
  for i in $(seq 0 10); do
    printf '  %4d s  quillora %6s  xclock %6s\n' $((i * memory_seconds / 10)) \
      "$(awk '/VmRSS/ {print $2}' "/proc/${PID[quillora]}/status")" "$(awk '/VmRSS/ {print $2}' "/proc/${PID[xclock]}/status")"
    [[ $i -lt 10 ]] && sleep $((memory_seconds / 10))
  done
fi
kill "${PID[@]}" 2>/dev/null
