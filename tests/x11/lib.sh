# Helpers for driving a real program in a private X server.
# Usage: source lib.sh; start_x; ...; stop_x

start_x() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do
    [[ -s $fd_file ]] && break
    sleep 0.1
  done
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
}

stop_x() {
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null || true
}

FAILURES=0
check() {  # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "ok - $what"
  else
    echo "not ok - $what"
    FAILURES=$((FAILURES + 1))
  fi
}

# pixel FILE X Y: "R,G,B" of one pixel
pixel() {
  convert "$1" -format '%[fx:int(255*p{'"$2"','"$3"'}.r+0.5)],%[fx:int(255*p{'"$2"','"$3"'}.g+0.5)],%[fx:int(255*p{'"$2"','"$3"'}.b+0.5)]' info:-
}

# dark_share FILE W H X Y: share of pixels darker than mid-grey in the region, in percent
dark_share() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -threshold 50% -negate -format '%[fx:int(100*mean+0.5)]' info:-
}

# count_colour FILE R G B: how many pixels have exactly this colour
count_colour() {
  convert "$1" -fill white +opaque "rgb($2,$3,$4)" -fill black -opaque "rgb($2,$3,$4)" -negate \
    -format '%[fx:int(mean*w*h+0.5)]' info:-
}

wait_for_window() {  # wait_for_window NAME_REGEX [TIMEOUT_S]: prints the window id
  local id
  for _ in $(seq $((${2:-10} * 10))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
    [[ -n $id ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

eq() { [[ "$1" == "$2" ]] || { echo "    got '$1', want '$2'"; return 1; }; }
ge() { (( $1 >= $2 )) || { echo "    got $1, want at least $2"; return 1; }; }
le() { (( $1 <= $2 )) || { echo "    got $1, want at most $2"; return 1; }; }
