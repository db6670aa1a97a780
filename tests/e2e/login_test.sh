#!/usr/bin/env bash
# The login password under Xvfb, on a screen much wider than the main window. With the login on,
# the login window comes before the main window; the right password opens the main window on the
# last article. Leaving the login by 取消 or by its close box ends the program without the main
# window ever being mapped anywhere, and the close still stores the last place and the size.
# $1: the program directory the build assembles.
set -euo pipefail
screen_width=2560
screen_height=1080
source "$(dirname "$0")/x_session.sh" "$1"

category="工作 笔记"
title="第一篇"
password="open sesame"
ini="$work/config/config.ini"

sql "insert into 目录管理(目录位置,目录名称) values('1','$category');
insert into 文章管理(文章所属,文章位置,文章标题,文章内容)
  values('$category','1','$title','{\\rtf1\\ansi hello world}');
update 用户管理 set 开启登陆='真', 用户密码='$password';" >/dev/null

# A caret stored past the end comes back clamped to the text's end (11), so a close that writes
# ZB=11 has seen the article restored.
remember_place() {
  printf '[KNSZ]\nBKBC=1\n[FWJL]\nFL=%s\nWZ=%s\nZB=999\n' "$category" "$title" >"$ini"
}


# Starts the map watch and the program; returns once the login window shows.
start_watched() {
  maps="$scratch/maps-$1.log"
  watch_maps "$maps"
  launch_program
  login=$(wait_window '^软件登陆$') ||
    fail "the login window did not appear"
  xdotool windowactivate --sync "$login"
  wait_active "$login"
}

ini_holds() {
  grep -qE "^$1=$2\$" "$ini" || fail "config.ini lacks $1=$2 ($3): $(cat "$ini")"
}

# The right password, typed and confirmed with Enter.
remember_place
start_watched right
xdotool type --delay 40 "$password"
xdotool key Return
wait_window '^WrenfoldV2\.5$' >/dev/null ||
  fail "the right password did not open the main window"
wait_until "the map watch to see the main window" grep -q '^map WrenfoldV2\.5$' "$maps"
order=$(sed -n 's/^map //p' "$maps" | grep -E '^(软件登陆|WrenfoldV2\.5)$' | uniq | tr '\n' '|')
[ "$order" = "软件登陆|WrenfoldV2.5|" ] || fail "windows mapped in the order $order"
wmctrl -F -c WrenfoldV2.5
wait_for_end "$program_pid" "after the right password"
ini_holds ZB 11 "the last article was restored"

# Leaving the login: by 取消 and by the close box.
for way in cancel close-box; do
  remember_place
  start_watched "$way"
  xdotool type --delay 40 "wrong"
  if [ "$way" = cancel ]; then
    # 取消 lies at 237,19 (60 x 22) in the login window's client area.
    xdotool mousemove --window "$login" 267 30 click 1
  else
    wmctrl -F -c 软件登陆
  fi
  wait_for_end "$program_pid" "after leaving the login by $way"
  # The map watch reports with a lag; a map of the main window would show up within this time.
  sleep 0.5
  if grep -q '^map WrenfoldV2\.5$' "$maps"; then
    fail "the main window was mapped after leaving the login by $way"
  fi
  ini_holds ZB 11 "$way"
  ini_holds KD 760 "$way"
  ini_holds GD 569 "$way"
done
echo "PASS"
