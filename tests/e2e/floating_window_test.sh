#!/usr/bin/env bash
# The floating window under Xvfb with openbox. A stored skin path naming a FIFO neither hangs the
# start nor is tried again (PF becomes 2). The floating window asks to stay on top and out of the
# task bar and pager. A double click on it brings a minimised main window back in front. Closed
# by the window manager while the main window is hidden, it gives the main window back, and
# closing that ends the program.
# $1: the program directory the build assembles.
set -euo pipefail
source "$(dirname "$0")/x_session.sh" "$1"

ini="$work/config/config.ini"
fifo="$work/skin/s/管道 皮肤.she"
mkfifo "$fifo"
printf '[KNSZ]\nPFTB=1\n[PFSZ]\nPF=%s\n' "$fifo" >"$ini"

launch_program
window=$(wait_window '^WrenfoldV2\.5$') || fail "the start hung on a skin path naming a FIFO"
grep -qx 'PF=2' "$ini" || fail "the FIFO skin path was kept: $(cat "$ini")"
grep -q "wrenfold: read the skin .*管道 皮肤.she.*FIFO" "$scratch/program.log" ||
  fail "no line on standard error for the FIFO skin: $(cat "$scratch/program.log")"

floating=""
for w in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
  if xwininfo -id "$w" | grep -q 'Width: 90$' && xwininfo -id "$w" | grep -q 'Height: 31$'; then
    floating=$w
  fi
done
[ -n "$floating" ] || fail "no floating window of 90 x 31"
states=$(xprop -id "$floating" _NET_WM_STATE)
for hint in _NET_WM_STATE_SKIP_TASKBAR _NET_WM_STATE_SKIP_PAGER _NET_WM_STATE_ABOVE; do
  [[ "$states" == *"$hint"* ]] || fail "the floating window lacks $hint: $states"
done
xprop -id "$floating" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_UTILITY ||
  fail "the floating window is no tool window"

viewable() { xwininfo -id "$1" | grep -q 'Map State: IsViewable'; }
# wait_until WHAT COMMAND...: fails unless the command succeeds within 5 seconds.
wait_until() {
  local what=$1
  shift
  for _ in $(seq 50); do "$@" && return 0; sleep 0.1; done
  fail "$what"
}
hidden() { ! viewable "$1"; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# A double click on the floating picture brings a minimised main window back, in front.
xdotool windowminimize --sync "$window"
wait_until "the main window did not minimise" hidden "$window"
xdotool mousemove --window "$floating" 45 15 click --repeat 2 --delay 80 1
wait_until "a double click left the main window minimised" viewable "$window"
wait_until "the main window came back but not active" active_is "$window"

# Closing the main window hides it; closing the floating window then gives it back.
wmctrl -c WrenfoldV2.5
wait_until "closing the main window did not hide it" hidden "$window"
wmctrl -i -c "$floating"
wait_until "closing the floating window left no window to reach the program" viewable "$window"
kill -0 "$program_pid" 2>/dev/null || fail "the program ended when the floating window closed"
close_program
echo "PASS"
