#!/usr/bin/env bash
# One running program per notebook, under Xvfb: a second start, from the same program directory
# or from a copy of it whose data folder is a link to the same notebook, brings the minimized
# first window back to the front and ends; after the first is killed, its lock file does not
# block the next start. The start also removes a settings write that a kill cut short.
# $1: the program directory the build assembles.
set -euo pipefail
source "$(dirname "$0")/x_session.sh" "$1"

leftover="$work/config/config.ini.0a1b2c3d.wrenfold-write"
printf '[FWJL]\nWZ=half\n' >"$leftover"
touch -d '1 hour ago' "$leftover"

visible_windows() {
  xdotool search --onlyvisible --name '^WrenfoldV2\.5$' 2>/dev/null || true
}

start_program
first_pid=$program_pid
first_window=$window
[ ! -e "$leftover" ] || fail "the leftover of an interrupted settings write is still there"
lock="$work/data/data.mdb.lock"
[ -e "$lock" ] || fail "the running program holds no lock file beside the notebook"

copy="$scratch/副本 目录"
mkdir "$copy"
cp -r "$work"/config "$work"/wrenfold "$copy"/
ln -s "$work/data" "$copy/data"

for program in "$work/wrenfold" "$copy/wrenfold"; do
  xdotool windowminimize --sync "$first_window"
  [ -z "$(visible_windows)" ] || fail "the window did not minimize"
  timeout 20 "$program" >>"$scratch/program.log" 2>&1 || fail "the start of $program ended with $?"
  kill -0 "$first_pid" 2>/dev/null || fail "the first program ended"
  wait_until "the first window to show again" window_shown '^WrenfoldV2\.5$'
  [ "$(visible_windows)" = "$first_window" ] ||
    fail "expected the first window alone on screen, saw: $(visible_windows | paste -sd' ')"
  wait_active "$first_window"
done

kill -9 "$first_pid"
wait_for_end "$first_pid" "after kill -9"
[ -e "$lock" ] || fail "the killed program left no lock file to test with"

start_program
close_program
wait "$program_pid" || fail "the program after the kill ended with a failure status"
[ ! -e "$lock" ] || fail "a closed program left its lock file"
echo "PASS"
