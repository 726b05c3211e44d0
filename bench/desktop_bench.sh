#!/usr/bin/env bash
# Whole-process figures of the desktop program beside xclock (which also
# redraws once a second), in one run on a private X server:
#   start-up to a mapped window (median of RUNS), peak memory, CPU time per
#   tick on the result page over CPU_SECONDS, resident memory over MEMORY_SECONDS.
# Usage: bench/desktop_bench.sh [QUILLORA] [RUNS] [CPU_SECONDS] [MEMORY_SECONDS]
set -uo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/app/quillora}")
runs=${2:-10}
cpu_seconds=${3:-60}
memory_seconds=${4:-600}
source tests/x11/lib.sh
start_x
trap stop_x EXIT

median() { sort -n | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }

# Milliseconds from start to the window being mapped, then VmHWM in kB.
start_once() {  # start_once NAME_REGEX COMMAND...
  local name=$1
  shift
  local t0 t1 pid
  t0=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  # Polled every few milliseconds (xdotool's own --sync waits half a second a try).
  until xdotool search --onlyvisible --name "$name" >/dev/null 2>&1; do sleep 0.005; done
  t1=$(date +%s%N)
  sleep 0.5
  echo "$(((t1 - t0) / 1000000)) $(awk '/VmHWM/ {print $2}' "/proc/$pid/status")"
  kill "$pid"
  wait "$pid" 2>/dev/null
}

for who in quillora xclock; do
  : >"/tmp/bench-$who"
  for _ in $(seq "$runs"); do
    if [[ $who == quillora ]]; then
      start_once '^Quillora$' "$program" >>"/tmp/bench-$who"
    else
      start_once '^xclock$' xclock -update 1 >>"/tmp/bench-$who"
    fi
  done
  printf '%-9s start median %6s ms   peak memory median %6s kB\n' "$who" \
    "$(cut -d' ' -f1 "/tmp/bench-$who" | median)" "$(cut -d' ' -f2 "/tmp/bench-$who" | median)"
done

cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }  # nanoseconds on the CPU

"$program" >/dev/null 2>&1 &
q=$!
win=$(wait_for_window '^Quillora$')
xdotool mousemove --window "$win" 200 340 click 1 type --delay 20 19900615
xdotool mousemove --window "$win" 397 416 click 1
sleep 1
xdotool key Return
sleep 1
xclock -update 1 >/dev/null 2>&1 &
x=$!
sleep 1
q0=$(cpu_ns $q)
x0=$(cpu_ns $x)
sleep "$cpu_seconds"
q1=$(cpu_ns $q)
x1=$(cpu_ns $x)
awk -v q=$((q1 - q0)) -v x=$((x1 - x0)) -v s="$cpu_seconds" 'BEGIN {
  printf "CPU over %d s on the result page: quillora %.1f ms (%.3f ms a tick), xclock %.1f ms (%.3f ms a tick)\n",
         s, q / 1e6, q / 1e6 / s, x / 1e6, x / 1e6 / s }'

echo "resident memory (kB) every $((memory_seconds / 10)) s over $memory_seconds s:"
for i in $(seq 0 10); do
  printf '  %4d s  quillora %6s  xclock %6s\n' $((i * memory_seconds / 10)) \
    "$(awk '/VmRSS/ {print $2}' /proc/$q/status)" "$(awk '/VmRSS/ {print $2}' /proc/$x/status)"
  [[ $i -lt 10 ]] && sleep $((memory_seconds / 10))
done
kill $q $x
wait 2>/dev/null
