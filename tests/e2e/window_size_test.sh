#!/usr/bin/env bash
# The main window's size is its outer size, frame included, under a real window manager: it opens
# 760 x 569 centred on the screen, closing stores that size, and start -> close -> start does not
# drift. Every stored size, however unusable, opens a mapped window that fits on the screen.
# $1: the program directory the build assembles.
source "$(dirname "$0")/x_session.sh"
ini="$work/config/config.ini"

# The frame of a window as "left top width height": its client area widened by the extents the
# window manager reports.
frame_of() {
  local window=$1 x y w h extents left right top bottom
  x=$(xwininfo -id "$window" | sed -n 's/^ *Absolute upper-left X: *//p')
  y=$(xwininfo -id "$window" | sed -n 's/^ *Absolute upper-left Y: *//p')
  w=$(xwininfo -id "$window" | sed -n 's/^ *Width: *//p')
  h=$(xwininfo -id "$window" | sed -n 's/^ *Height: *//p')
  extents=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
  [ -n "$extents" ] || return 1
  IFS=, read -r left right top bottom <<<"$extents"
  echo "$((x - left)) $((y - top)) $((w + left + right)) $((h + top + bottom))"
}

# Starts the program and waits until its main window has settled on the expected outer size;
# leaves the frame in $frame.
start_and_measure() {
  local width=$1 height=$2
  start_program
  frame=""
  for _ in $(seq 50); do
    frame=$(frame_of "$window" || true)
    [ "${frame#* * }" = "$width $height" ] && break
    sleep 0.1
  done
}

stored_size() {
  echo "$(sed -n 's/^KD *= *//p' "$ini") x $(sed -n 's/^GD *= *//p' "$ini")"
}

# Remembering on, nothing stored yet: the design size, outer, centred on the screen.
printf '[KNSZ]\nBKBC=1\n' >"$ini"
expected_left=$(((screen_width - 760) / 2))
expected_top=$(((screen_height - 569) / 2))
for round in 1 2 3; do
  start_and_measure 760 569
  read -r left top width height <<<"$frame"
  [ "$width x $height" = "760 x 569" ] || fail "round $round: outer size $width x $height"
  [ "$((left - expected_left))" -ge -1 ] && [ "$((left - expected_left))" -le 1 ] &&
    [ "$((top - expected_top))" -ge -1 ] && [ "$((top - expected_top))" -le 1 ] ||
    fail "round $round: frame at $left,$top, not centred at $expected_left,$expected_top"
  close_program
  [ "$(stored_size)" = "760 x 569" ] || fail "round $round: stored $(stored_size)"
done

# Stored sizes as "KD GD expected-width expected-height".
cases=(
  "0 0 760 569"
  "-1 -1 760 569"
  "abc abc 760 569"
  "1 1 200 150"
  "100000 100000 $screen_width $screen_height"
  "2147483647 2147483647 $screen_width $screen_height"
  "2000 1500 $screen_width $screen_height"
  "900 650 900 650"
)
for entry in "${cases[@]}"; do
  read -r kd gd expected_width expected_height <<<"$entry"
  case_size="$kd x $gd"
  printf '[KNSZ]\nBKBC=1\n[BKKG]\nKD=%s\nGD=%s\n' "$kd" "$gd" >"$ini"
  start_and_measure "$expected_width" "$expected_height"
  read -r left top width height <<<"$frame"
  [ "$width x $height" = "$expected_width x $expected_height" ] ||
    fail "stored $case_size: outer size $width x $height"
  [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ $((left + width)) -le $screen_width ] &&
    [ $((top + height)) -le $screen_height ] ||
    fail "stored $case_size: frame $frame is not on the screen"
  close_program
  [ "$(stored_size)" = "$expected_width x $expected_height" ] ||
    fail "stored $case_size: closing stored $(stored_size)"
done
echo "PASS"
