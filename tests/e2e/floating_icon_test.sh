#!/usr/bin/env bash
# The floating icon under Xvfb with openbox and a tray host (trayer). With PFTB=1 and the login
# on, the floating window is up before the login window, at left = screen width - 130, top 70,
# 90 x 31, and the tray icon sits embedded in the tray. After the login, closing the main window
# only hides it and the program lives on; 退出 in the floating menu ends it and FWJL is written.
# $1: the program directory the build assembles.
set -euo pipefail
screen_width=1600
screen_height=1200
source "$(dirname "$0")/x_session.sh" "$1"

ini="$work/config/config.ini"
password="tray"

sql "update 用户管理 set 开启登陆='真', 用户密码='$password';" >/dev/null
printf '[KNSZ]\nPFTB=1\n' >"$ini"

trayer --edge top --align right --widthtype pixel --width 120 --heighttype pixel --height 24 \
  --transparent false >/dev/null 2>&1 &
pids+=($!)
panel=$(wait_window '^panel$') ||
  fail "the tray host did not start"

maps="$scratch/maps.log"
watch_maps "$maps"
launch_program
login=$(wait_window '^软件登陆$') ||
  fail "the login window did not appear"

# The program's window of this outer size, if one is shown.
window_sized() {
  local w
  for w in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
    if xwininfo -id "$w" | grep -q "Width: $1\$" && xwininfo -id "$w" | grep -q "Height: $2\$"; then
      echo "$w"
      return 0
    fi
  done
  return 1
}

floating=$(window_sized 90 31) || fail "no floating window of 90 x 31 while the login window shows"
geometry=$(xwininfo -id "$floating" | sed -n 's/.*Absolute upper-left \([XY]\): *//p' | tr '\n' ,)
[ "$geometry" = "1470,70," ] || fail "the floating window stands at $geometry"
first_map=$(sed -n 's/^map //p' "$maps" | grep -vx Openbox | grep -vx panel | head -1)
[ "$first_map" != 软件登陆 ] || fail "the login window was mapped before the floating window"

# The tray icon is a window of the program inside the tray host's panel.
embedded=no
for w in $(xdotool search --pid "$program_pid" 2>/dev/null); do
  parent=$w
  for _ in 1 2 3 4 5; do
    parent=$(xwininfo -id "$parent" -children | sed -n 's/.*Parent window id: \(0x[0-9a-f]*\).*/\1/p')
    # The root window has no parent to follow.
    [ -n "$parent" ] && [ $((parent)) -ne 0 ] || break
    if [ $((parent)) -eq "$panel" ]; then embedded=yes; break 2; fi
  done
done
[ "$embedded" = yes ] || fail "the tray icon is not embedded in the tray"

xdotool windowactivate --sync "$login"
xdotool type --delay 40 "$password"
xdotool key Return
wait_window '^WrenfoldV2\.5$' >/dev/null ||
  fail "the main window did not appear after the login"

# Closing the main window only hides it.
wmctrl -F -c WrenfoldV2.5
wait_gone '^WrenfoldV2\.5$'
# Nothing announces that the program stays: it is given the time a close would take to end it.
sleep 0.5
kill -0 "$program_pid" 2>/dev/null || fail "the program ended when its main window was closed"
! grep -q '^\[FWJL\]' "$ini" || fail "hiding the main window stored the last place"

# 退出, the last item of the floating menu, ends the program through the full close.
# The floating window itself stands past the window manager, as its menu does.
shown=$(menus_shown)
xdotool mousemove --window "$floating" 45 15 click 3
wait_menus $((shown + 1))
xdotool key Up Return
wait_for_end "$program_pid" "after 退出"
grep -q '^\[FWJL\]' "$ini" || fail "退出 did not store the last place: $(cat "$ini")"
echo "PASS"
