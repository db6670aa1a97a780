# Sourced by end-to-end scripts: a copy of the program directory in a scratch folder whose path
# holds a blank and Chinese characters, an X session (Xvfb with openbox) and the database's SQL,
# all gone when the script ends. Sets scratch, work (the copy) and DISPLAY; every process whose
# id is added to pids is ended at exit.

# The program must open a real window on the X server, whatever the caller set.
unset QT_QPA_PLATFORM

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

# copy_program APP_DIR
copy_program() {
  mkdir -p "$work"
  cp -r "$1"/. "$work"/
}

# sql STATEMENTS: runs them on the copy's database and prints what they select.
sql() {
  printf "PRAGMA key = 'marvek1986..';\n%s\n" "$1" | sqlcipher "$work/data/data.mdb" | sed '/^ok$/d'
}

# start_x_session WIDTHxHEIGHT
start_x_session() {
  Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$scratch/display" 2>/dev/null &
  pids+=($!)
  for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  [ -s "$scratch/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$scratch/display")"
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
}

# wait_for_end PID WHAT: fails unless the process ends within 20 seconds.
wait_for_end() {
  for _ in $(seq 200); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.1; done
  fail "the program did not end $2"
}

# watch_maps FILE: from now on every window the X server maps is written to FILE as "map NAME".
watch_maps() {
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/map_watch.py" >"$1" &
  pids+=($!)
  for _ in $(seq 50); do grep -q '^watching' "$1" && break; sleep 0.1; done
  grep -q '^watching' "$1" || fail "the map watch did not start"
}

# start_program: starts the copy in the background; sets program_pid.
start_program() {
  "$work/wrenfold" >"$scratch/program.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
}
