#!/usr/bin/env bash
# The stored text format under Xvfb: in 页面设置 choose a background colour in the colour dialog,
# tick 下次使用现行设置 and close; the next start must show the editor in that colour.
# $1: the program directory the build assembles.
set -euo pipefail
# #3366cc as the settings file keeps it: COLORREF 0x00CC6633 in decimal.
html_colour="#3366cc"
colorref=13395507

source "$(dirname "$0")/x_session.sh" "$1"
for tool in xwininfo import; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
ini="$work/config/config.ini"

# The screen position of a window's client area: "x y".
client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
                           END {print x, y}'
}

# Clicks at a point of a window's client area.
click_in() {
  local origin
  read -r -a origin <<<"$(client_origin "$1")"
  xdotool mousemove $((origin[0] + $2)) $((origin[1] + $3)) click 1
}

start_program

# 常规设置 is the seventh menu and 页面设置 its only item: open the first menu and walk right,
# one key more than six, since on 皮肤设置 a Right first opens the submenu of its first item.
click_in "$window" 30 11
wait_menus 1
for _ in $(seq 7); do xdotool key Right; done
xdotool key Down Return
page=$(wait_window '^页面设定$') || fail "the page-setup window did not open"

# 背景颜色's picker: group 8,8 + picker 80,112 (83 x 24).
click_in "$page" 129 132
dialog=$(wait_window '^选择颜色$') || fail "the colour dialog did not open"
xdotool windowactivate --sync "$dialog"
xdotool key alt+h ctrl+a
xdotool type --delay 30 "$html_colour"
xdotool key Return
wait_gone '^选择颜色$'

# 下次使用现行设置: group 8,184 + box 13,15; then 取 消: group 8,184 + button 279,10 (70 x 22).
click_in "$page" 30 207
wait_ini SFKQBCYS 1
click_in "$page" 322 205
wait_gone '^页面设定$'
ini_holds BJYS "$colorref" || fail "closing did not store BJYS: $(cat "$ini")"
close_program

start_program
# A point well inside the empty editor, below the menu bar and the toolbar.
pixel=$(import -window "$window" -crop 1x1+200+300 -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1)
[ "${pixel,,}" = "$html_colour" ] || fail "the editor shows '$pixel', not $html_colour"
close_program
echo "PASS"
