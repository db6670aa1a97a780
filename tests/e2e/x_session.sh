# Sourced by the end-to-end scripts that drive the program under a window manager. It copies the
# built program directory ($1) to $work, a path with blanks and Chinese characters, starts Xvfb
# (screen $screen_width x $screen_height, 1280 x 800 unless set before) with openbox, and ends
# every process listed in pids and removes the copy on exit. The functions below run the copy, look
# at its database and its windows, and wait for what a step needs instead of sleeping.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/notebook.sh"
# The program must open a real window on the X server, whatever the caller set.
unset QT_QPA_PLATFORM

app_dir="$1"
screen_width=${screen_width:-1280}
screen_height=${screen_height:-800}

scratch="$(mktemp -d)"
work="$scratch/程序 目录"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir -p "$work"
cp -r "$app_dir"/. "$work"/
rm -f "$work"/config/config.ini

Xvfb -displayfd 3 -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp \
  3>"$scratch/display" 2>/dev/null &
pids+=($!)

# wait_until WHAT COMMAND...: runs COMMAND every tenth of a second until it succeeds; fails after
# 20 seconds, saying what was awaited.
wait_until() {
  local what=$1 deadline=$((SECONDS + 20))
  shift
  until "$@" >/dev/null 2>&1; do
    [ "$SECONDS" -lt "$deadline" ] || fail "waited 20 s for $what"
    sleep 0.1
  done
}

wait_until "Xvfb to start" test -s "$scratch/display"
export DISPLAY=":$(cat "$scratch/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
# wmctrl answers once a window manager has taken the screen.
wait_until "openbox to start" wmctrl -m

# Waits for a visible window whose title matches the pattern $1 and prints its id; fails after 20
# seconds. Looks every tenth of a second, where xdotool's own --sync looks every half.
wait_window() {
  local id deadline=$((SECONDS + 20))
  until id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$id" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  echo "$id"
}

# window_shown PATTERN: whether a visible window's title matches the pattern.
window_shown() {
  xdotool search --onlyvisible --name "$1" >/dev/null 2>&1
}

window_hidden() {
  ! window_shown "$1"
}

# wait_gone PATTERN: waits until no visible window's title matches the pattern.
wait_gone() {
  wait_until "the window '$1' to close" window_hidden "$1"
}

# wait_unmapped WINDOW: waits until the window no longer shows.
wait_unmapped() {
  wait_until "window $1 to close" eval "! xwininfo -id $1 2>/dev/null | grep -q IsViewable"
}

is_active() {
  [ "$(xdotool getactivewindow)" = "$1" ]
}

# wait_active WINDOW: waits until the window has the keyboard.
wait_active() {
  wait_until "window $1 to be active" is_active "$1"
}

# menus_shown: how many windows of the program show past the window manager (override
# redirect): its pop-up and drop-down menus, and a tooltip if the pointer rests on a control.
menus_shown() {
  local w count=0
  for w in $(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null); do
    xwininfo -id "$w" -all 2>/dev/null | grep -q 'Override Redirect State: yes' &&
      count=$((count + 1))
  done
  echo "$count"
}

menus_are() {
  [ "$(menus_shown)" = "$1" ]
}

# wait_menus N: waits until exactly N menus of the program show.
wait_menus() {
  wait_until "$1 menu(s) to show" menus_are "$1"
}

# sql STATEMENTS: runs them on the copy's database and prints what they select.
sql() {
  notebook_sql "$work/data/data.mdb" "$1"
}

sql_selects() {
  [ "$(sql "$1")" = "$2" ]
}

# wait_sql STATEMENT VALUE: waits until the statement selects the value.
wait_sql() {
  wait_until "'$1' to select '$2'" sql_selects "$1" "$2"
}

# ini_holds KEY VALUE: whether the copy's settings file holds KEY=VALUE (an extended regex).
ini_holds() {
  grep -qiE "^$1 *= *$2\$" "$work/config/config.ini" 2>/dev/null
}

# wait_ini KEY VALUE: waits until the copy's settings file holds KEY=VALUE.
wait_ini() {
  wait_until "config.ini to hold $1=$2" ini_holds "$1" "$2"
}

# Starts the copy in the background; sets program_pid.
launch_program() {
  "$work/wrenfold" >"$scratch/program.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
}

# Starts the program, waits for its mapped main window ($window) and gives it the keyboard.
start_program() {
  launch_program
  window=$(wait_window '^WrenfoldV2\.5$') || fail "the main window did not appear"
  xdotool windowactivate --sync "$window"
  wait_active "$window"
}

has_ended() {
  ! kill -0 "$1" 2>/dev/null
}

# wait_for_end PID WHAT: fails unless the process ends within 20 seconds.
wait_for_end() {
  wait_until "the program to end $2" has_ended "$1"
}

# Closes the window as the window manager does and waits for the program to end.
close_program() {
  wmctrl -c WrenfoldV2.5
  wait_for_end "$program_pid" "after its window was closed"
}

# watch_maps FILE: from now on every window the X server maps is written to FILE as "map NAME".
watch_maps() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/map_watch.py" >"$1" &
  pids+=($!)
  wait_until "the map watch to start" grep -q '^watching' "$1"
}

# Waits for a new window of the program, not a menu, newer than $last_window (window ids grow as
# windows are made; 0 before any) and puts its id in $last_window. $1 names it for the failure.
last_window=0
next_program_window() {
  local candidate found=""
  for _ in $(seq 50); do
    for candidate in $(xdotool search --onlyvisible --pid "$program_pid" | sort -n); do
      [ "$candidate" -gt "$last_window" ] || continue
      xprop -id "$candidate" _NET_WM_WINDOW_TYPE | grep -q MENU || found=$candidate
    done
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || fail "no $1 opened"
  last_window=$found
}
