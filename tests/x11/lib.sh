# Helpers for driving a real program in a private X server.
# Usage: source lib.sh; start_x; ...; stop_x

start_x() {  # start_x [WIDTHxHEIGHT]: the screen, 1366x768 unless given
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1366x768}x24" -nolisten tcp -noreset 3>"$fd_file" >/dev/null 2>&1 &
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

# The scale the checks look at: DPI / 96. sc V is a design coordinate or
# length in device pixels, rounded as the programs round it (halves up).
DPI=${DPI:-96}
sc() { echo $(((2 * $1 * DPI + 96) / 192)); }

eq() { [[ "$1" == "$2" ]] || { echo "    got '$1', want '$2'"; return 1; }; }
ge() { (( $1 >= $2 )) || { echo "    got $1, want at least $2"; return 1; }; }
le() { (( $1 <= $2 )) || { echo "    got $1, want at most $2"; return 1; }; }

# What both desktop programs must show: the entry page with the hint and the
# title picture, and the result page with band, clock and report.
check_entry_page() {  # check_entry_page SCREENSHOT
  check "the hint covers the box" ge "$(dark_share "$1" "$(sc 300)" "$(sc 24)" "$(sc 45)" "$(sc 328)")" 3
  check "the title picture is drawn" ge "$(dark_share "$1" "$(sc 80)" "$(sc 140)" "$(sc 357)" "$(sc 150)")" 3
}

check_result_page() {  # check_result_page SCREENSHOT SCRATCH_DIR
  local r=$1 centre
  check "grey band at the top left" eq "$(pixel "$r" "$(sc 5)" "$(sc 5)")" "245,245,245"
  check "white below the band's edge" eq "$(pixel "$r" "$(sc 5)" "$(sc 260)")" "255,255,255"
  check "band edge on the straight line" eq "$(pixel "$r" "$(sc 396)" "$(sc 190)")" "245,245,245"
  check "clock corners take the band colour" eq "$(pixel "$r" "$(sc 186)" "$(sc 26)")" "245,245,245"
  centre=$(pixel "$r" "$(sc 244)" "$(sc 66)")
  check "clock picture in its box" test "$centre" != "245,245,245" -a "$centre" != "255,255,255"
  convert "$r" -crop "$(sc 120)x$(sc 120)+$(sc 184)+$(sc 24)" +repage "$2/clock-box.png"
  check "no black where the clock is transparent" eq "$(count_colour "$2/clock-box.png" 0 0 0)" 0
  convert "$r" -crop "$(sc 794)x$(sc 20)+0+0" +repage "$2/band-top.png"
  check "no black in the band" eq "$(count_colour "$2/band-top.png" 0 0 0)" 0
  check "the report is drawn" ge "$(dark_share "$r" "$(sc 232)" "$(sc 300)" "$(sc 72)" "$(sc 232)")" 2
  check "the entry page is out of sight" eq "$(dark_share "$r" "$(sc 80)" "$(sc 140)" "$(sc 357)" "$(sc 150)")" 0
}

# The user's first steps, the same on both desktop programs, at the places of
# the scale DPI: the entry page as it opens, a click on the hint hides it, a
# date typed with a letter the box refuses, a click on "开始计算".
# Screenshots go to SHOTS/TAG-*.png.
type_date_and_start() {  # type_date_and_start WIN SHOTS TAG
  local win=$1 shots=$2 tag=$3
  import -window "$win" "$shots/$tag-entry.png"
  check_entry_page "$shots/$tag-entry.png"
  xdotool mousemove --window "$win" "$(sc 200)" "$(sc 340)" click 1
  sleep 0.5
  import -window "$win" "$shots/$tag-hint-gone.png"
  check "$tag: a click on the hint hides it" \
    eq "$(dark_share "$shots/$tag-hint-gone.png" "$(sc 300)" "$(sc 24)" "$(sc 45)" "$(sc 328)")" 0
  xdotool type --delay 80 '19a900615'
  sleep 0.5
  import -window "$win" "$shots/$tag-typed.png"
  check "$tag: typed digits show in the box" \
    ge "$(dark_share "$shots/$tag-typed.png" "$(sc 120)" "$(sc 28)" "$(sc 45)" "$(sc 326)")" 3
  xdotool mousemove --window "$win" "$(sc 397)" "$(sc 416)" click 1
}

# The Linux program's way from the entry page to the result page: the first
# steps, then the message box closed with Enter; the result page is checked.
linux_flow_to_result_page() {  # linux_flow_to_result_page WIN SHOTS TAG
  local win=$1 shots=$2 tag=$3 box scratch
  type_date_and_start "$win" "$shots" "$tag"
  box=$(wait_for_window 'Quillora.' 5)
  check "a click on 开始计算 opens the message box" test -n "$box"
  sleep 0.3
  import -window root "$shots/$tag-message-box.png"
  xdotool key Return
  sleep 1.5
  import -window "$win" "$shots/$tag-result.png"
  scratch=$(mktemp -d)
  check_result_page "$shots/$tag-result.png" "$scratch"
  check_band_edge "$shots/$tag-result.png"
  rm -rf "$scratch"
  # The age line (14 half-width characters and 岁了) fills its 216-pixel label:
  # ink reaches its right end, and the label's last column is still background.
  check "the age line reaches the end of its label" \
    ge "$(dark_share "$shots/$tag-result.png" "$(sc 24)" "$(sc 40)" "$(sc 510)" "$(sc 64)")" 3
  check "the age line is not cut at its last column" \
    eq "$(dark_share "$shots/$tag-result.png" 1 "$(sc 40)" $(($(sc 536) - 1)) "$(sc 64)")" 0
}

# The band's lower edge is the straight line from (0, 127) to the lower right
# corner of its box, (792, 272): grey just above it, white just below, along
# its whole length.
check_band_edge() {  # check_band_edge SCREENSHOT
  local x y
  for x in 1 198 396 594 780; do
    y=$(((127 * 792 + 145 * x) / 792))  # design row of the line at x
    check "band edge at x $x: grey above" eq "$(pixel "$1" "$(sc "$x")" $(($(sc "$y") - 3)))" "245,245,245"
    check "band edge at x $x: white below" eq "$(pixel "$1" "$(sc "$x")" $(($(sc "$y") + 4)))" "255,255,255"
  done
}

# OCR of a page as a person reads it: the screenshot enlarged, read by
# tesseract (chi_sim), with all white space taken out.
# Thin hinted glyphs (Wine's) now and then read differently: the page is
# read twice, sharp and slightly softened, and either reading may find a line.
ocr_page() {  # ocr_page SCREENSHOT [CROP]
  local big blur
  big=$(mktemp --suffix .png)
  for blur in 0x0 0x0.7; do
    convert "$1" ${2:+-crop "$2" +repage} -bordercolor white -border 20 -resize $((200 * 96 / DPI))% -blur "$blur" "$big"
    tesseract "$big" - -l chi_sim --psm 6 2>/dev/null | tr -d ' \t\n'
    echo
  done
  rm -f "$big"
}

# Checks that OCR reads back every line of the report and the age line, as the
# program wrote them: REPORT holds the seven lines ("\n" between lines, as the
# probe writes captions), AGE the age line. Only the part above the buttons is
# read, whose captions would otherwise run into the last line.
check_report_reads_back() {  # check_report_reads_back SCREENSHOT REPORT AGE WHERE
  local read line
  read=$(ocr_page "$1" "$(sc 560)x$(sc 556)+0+0")
  while IFS= read -r line || [[ -n $line ]]; do
    [[ -z $line ]] && continue
    line=${line// /}
    grep -qF -- "$line" <<<"$read" || echo "    OCR read: $read"
    check "$4: OCR reads '$line'" grep -qF -- "$line" <<<"$read"
  done < <(printf '%s' "$2" | sed 's/\\n/\n/g')
  check "$4: OCR reads the age '${3// /}'" grep -qF -- "${3// /}" <<<"$read"
}

# What the result page shows for a birth date, second by second from NOW on,
# as the headless program computes it: one line a second, "REPORT<TAB>AGE",
# the report's lines without spaces, "|" between them.
expected_pages() {  # expected_pages HEADLESS DATE NOW SECONDS
  local n
  {
    printf 'type %s\nclick 计算按钮\nok\n' "$2"
    for ((n = 0; n < $4; n++)); do printf 'get 标签6 text\nget 标签4 text\nwait 1\n'; done
  } | "$1" --now "$3" | grep -v '^msgbox\|^exit' | sed 's/\\r//g; s/\\n/|/g; s/ //g; s/||*/|/g' | paste - -
}

# Checks that OCR reads back the whole result page as it was at one of the
# seconds of EXPECTED (from expected_pages): every line of the report and the age.
check_page_reads_as_one_of() {  # check_page_reads_as_one_of SCREENSHOT EXPECTED WHERE
  local read report age line all found=""
  read=$(ocr_page "$1" "$(sc 560)x$(sc 556)+0+0")
  while IFS=$'\t' read -r report age; do
    all=1
    while IFS= read -r line; do
      grep -qF -- "$line" <<<"$read" || { all=""; break; }
    done < <(tr '|' '\n' <<<"$report")
    if [[ -n $all ]] && grep -qF -- "$age" <<<"$read"; then found="$report $age"; break; fi
  done <"$2"
  [[ -n $found ]] || echo "    OCR read: $read"$'\n'"    first expected: $(head -n 1 "$2")"
  check "$3: OCR reads the whole page, seven counts and the age, of one second" test -n "$found"
}
