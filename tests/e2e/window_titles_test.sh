#!/usr/bin/env bash
# What the title bars really get under X: a box or window without a title shows an empty bar,
# not the program's name; a box whose title is left to the platform shows the program's name.
# $1: the program directory the build assembles.
source "$(dirname "$0")/x_session.sh"

start_program
main=$window

# Waits for the next window of the program and puts the title the window manager is given for it
# in $title.
last_window=$main
next_window_title() {
  next_program_window "new window"
  title=$(xprop -id "$last_window" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = //p')
}

# Saving with no article loaded is refused by a box with an empty title.
xdotool key --clearmodifiers ctrl+s
next_window_title
[ "$title" = '" "' ] || fail "the refused save's box is titled $title"
xdotool key Return
wait_unmapped "$last_window"

# 字体大小菜单 > 自定 opens the font-size window, which has no caption; 确定 with an empty box
# shows the range message, whose title is left to the platform. The toolbar button 字体大小 sits at
# a fixed place in the client area.
xdotool mousemove --window "$main" 458 41 click 1
wait_menus 1
xdotool key Up Return
next_window_title
[ "$title" = '" "' ] || fail "the font-size window is titled $title"
xdotool key Return
next_window_title
[ "$title" = '"Wrenfold"' ] || fail "the range message is titled $title"
xdotool key Return
echo "PASS"
