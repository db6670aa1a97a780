#!/usr/bin/env bash
# With the always-on-top find window open, the questions of the program come above it: close the
# main window with modified text; the save question and the message after it (no article to save
# into) must each stack above the find window, which is not on top while they show and is again
# once they are answered; a second close answered No ends the program.
# $1: the program directory the build assembles.
source "$(dirname "$0")/x_session.sh" "$1"
command -v xprop >/dev/null || fail "xprop is not installed"

# The client windows from bottom to top, as decimal ids.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^.*# //; s/,//g' |
    tr ' ' '\n' | while read -r id; do printf '%d\n' "$id"; done
}

# above LOWER UPPER: whether UPPER stacks above LOWER.
above() {
  local order
  order=$(stacking)
  local lower_at upper_at
  lower_at=$(grep -nx "$1" <<<"$order" | cut -d: -f1)
  upper_at=$(grep -nx "$2" <<<"$order" | cut -d: -f1)
  [ -n "$lower_at" ] && [ -n "$upper_at" ] && [ "$upper_at" -gt "$lower_at" ]
}

on_top() {
  xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE
}

not_on_top() {
  ! on_top "$1"
}

# Waits for the next window of the program, a box, and for the window manager to stack it above
# the find window.
next_box() {
  next_program_window "$1"
  box=$last_window
  wait_until "the $1 to stack above the find window" above "$find_window" "$box"
}

start_program
xdotool key --clearmodifiers ctrl+f
find_window=$(wait_window '^查找$') || fail "the find window did not open"
wait_until "the find window to be on top" on_top "$find_window"
last_window=$find_window

xdotool windowactivate --sync "$window"
xdotool type --delay 30 "modified"
wmctrl -c WrenfoldV2.5

next_box "save question"
wait_until "the find window to step back for the save question" not_on_top "$find_window"
# Yes: with no article loaded the save is refused by a message of its own, and the window stays
# open with the text.
xdotool key Return

next_box "refusal message"
xdotool key Return
wait_until "the find window to be on top again after the questions" on_top "$find_window"

# No this time: the program ends without saving.
wmctrl -c WrenfoldV2.5
next_box "second save question"
above "$find_window" "$box" || fail "the second save question opened under the find window"
xdotool key Tab space
wait_for_end "$program_pid" "after No to the save question"
echo "PASS"
