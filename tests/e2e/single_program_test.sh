#!/usr/bin/env bash
# One running program per program directory, under Xvfb: a second start brings the minimized
# first window back to the front and ends; after the first is killed, its lock file does not
# block the next start. The start also removes a settings write that a kill cut short.
# $1: the program directory the build assembles.
set -euo pipefail
# The program must open a real window on the X server, whatever the caller set.
unset QT_QPA_PLATFORM

app_dir="$1"
scratch="$(mktemp -d)"
work="$scratch/程序 目录"
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

mkdir -p "$work"
cp -r "$app_dir"/. "$work"/
leftover="$work/config/config.ini.qOCHZe"
printf '[FWJL]\nWZ=half\n' >"$leftover"
touch -d '1 hour ago' "$leftover"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$scratch/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

visible_windows() {
  xdotool search --onlyvisible --name '^WrenfoldV2\.5$' 2>/dev/null || true
}

# Starts the program in the background and waits for its window.
start_program() {
  "$work/wrenfold" >>"$scratch/program.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^WrenfoldV2\.5$' | head -1) ||
    fail "the main window did not appear"
}

start_program
first_pid=$program_pid
first_window=$window
[ ! -e "$leftover" ] || fail "the leftover of an interrupted settings write is still there"
[ -e "$work/wrenfold.lock" ] || fail "the running program holds no lock file"

xdotool windowminimize --sync "$first_window"
[ -z "$(visible_windows)" ] || fail "the window did not minimize"

timeout 20 "$work/wrenfold" >>"$scratch/program.log" 2>&1 || fail "the second start ended with $?"
kill -0 "$first_pid" 2>/dev/null || fail "the first program ended"
for _ in $(seq 50); do [ -n "$(visible_windows)" ] && break; sleep 0.1; done
[ "$(visible_windows)" = "$first_window" ] ||
  fail "expected the first window alone on screen, saw: $(visible_windows | paste -sd' ')"
for _ in $(seq 50); do [ "$(xdotool getactivewindow)" = "$first_window" ] && break; sleep 0.1; done
[ "$(xdotool getactivewindow)" = "$first_window" ] || fail "the first window is not in front"

kill -9 "$first_pid"
for _ in $(seq 50); do kill -0 "$first_pid" 2>/dev/null || break; sleep 0.1; done
[ -e "$work/wrenfold.lock" ] || fail "the killed program left no lock file to test with"

start_program
wmctrl -c WrenfoldV2.5
for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program_pid" 2>/dev/null && fail "the program did not end after its window was closed"
wait "$program_pid" || fail "the program after the kill ended with a failure status"
[ ! -e "$work/wrenfold.lock" ] || fail "a closed program left its lock file"
echo "PASS"
