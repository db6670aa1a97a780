#!/usr/bin/env bash
# Start at logon under Xvfb: ticking 设置开机运行 in 功能设置 writes the autostart entry
# WRNFD.desktop, which desktop-file-validate accepts and whose Exec, run by the desktop's own
# launcher, starts the program from a folder with a blank and Chinese characters; unticking
# removes the entry; KJQD follows each click.
# $1: the program directory the build assembles.
set -euo pipefail
screen_width=1280
screen_height=1024
source "$(dirname "$0")/x_session.sh" "$1"

ini="$work/config/config.ini"
export XDG_CONFIG_HOME="$scratch/配置 home"
entry="$XDG_CONFIG_HOME/autostart/WRNFD.desktop"


# Waits for the main window of a program started somehow and gives it the keyboard.
attach_program() {
  window=$(wait_window '^WrenfoldV2\.5$') ||
    fail "the main window did not appear ($1)"
  program_pid=$(xdotool getwindowpid "$window")
  pids+=("$program_pid")
  xdotool windowactivate --sync "$window"
  wait_active "$window"
}

close_program() {
  wmctrl -F -c WrenfoldV2.5
  wait_for_end "$program_pid" "after its window was closed"
}

# 功能设置 > 功能设置, through the menu bar with the keyboard: 皮肤设置 opens its first submenu
# on the way, so eight steps right lead from 文件相关 to 功能设置.
open_settings() {
  xdotool mousemove --window "$window" 25 8 click 1
  wait_menus 1
  for _ in $(seq 8); do xdotool key Right; done
  xdotool key Return
  settings=$(wait_window '^设置$') || fail "the settings window did not open"
  wait_active "$settings"
}

# click_start_at_logon KJQD: clicks 设置开机运行, which lies at 138,16 in 分组框1, itself at 8,8
# in the window, waits until KJQD holds the given value, then closes the window with Esc.
click_start_at_logon() {
  open_settings
  xdotool mousemove --window "$settings" 154 40 click 1
  wait_ini KJQD "$1"
  xdotool key Escape
  wait_gone '^设置$'
}

launch_program
attach_program "started by hand"
click_start_at_logon 1
[ -f "$entry" ] || fail "ticking 设置开机运行 wrote no $entry"
desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry: $(cat "$entry")"
close_program

# The desktop's launcher runs the entry's Exec: the program must come up from its own folder.
gio launch "$entry" >"$scratch/launch.log" 2>&1 || fail "gio launch failed: $(cat "$scratch/launch.log")"
attach_program "started from the autostart entry"
[ "$(readlink "/proc/$program_pid/exe")" = "$work/wrenfold" ] ||
  fail "the entry started $(readlink "/proc/$program_pid/exe")"
click_start_at_logon 0
[ ! -e "$entry" ] || fail "unticking 设置开机运行 left $entry"
close_program
echo "PASS"
