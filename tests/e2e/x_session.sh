# Sourced by the end-to-end scripts that drive the program under a window manager. It copies the
# built program directory ($1) to $work, a path with blanks and Chinese characters, starts Xvfb
# (screen $screen_width x $screen_height, 1280 x 800 unless set before) with openbox, and ends
# every process listed in pids and removes the copy on exit. The functions below run the copy and
# look at its database and its windows.
set -euo pipefail
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
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$scratch/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# Waits for a visible window whose title matches the pattern $1 and prints its id.
wait_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -1
}

# sql STATEMENTS: runs them on the copy's database and prints what they select.
sql() {
  printf "PRAGMA key = 'marvek1986..';\n%s\n" "$1" | sqlcipher "$work/data/data.mdb" | sed '/^ok$/d'
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
  sleep 1
}

# wait_for_end PID WHAT: fails unless the process ends within 20 seconds.
wait_for_end() {
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  fail "the program did not end $2"
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
  for _ in $(seq 50); do grep -q '^watching' "$1" && break; sleep 0.1; done
  grep -q '^watching' "$1" || fail "the map watch did not start"
}
