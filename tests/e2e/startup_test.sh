#!/bin/bash
# The built program starts under Xvfb with a window manager, shows its main window
# "WrenfoldV2.5", closes when the window manager asks it to, and ends.
set -u
# The program must open a real window on the X server, whatever the caller set.
unset QT_QPA_PLATFORM

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

session() {
  local program=$1 work=$2
  openbox >/dev/null 2>&1 &
  local wm=$!
  "$program/wrenfold" >"$work/program.log" 2>&1 &
  local pid=$!
  local status=0
  if ! timeout 20 xdotool search --sync --name '^WrenfoldV2\.5$' >/dev/null; then
    echo "the window WrenfoldV2.5 did not appear" >&2
    status=1
  else
    wmctrl -c WrenfoldV2.5
    for _ in $(seq 50); do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then
      echo "the program still runs after its window was closed" >&2
      status=1
    elif ! wait "$pid"; then
      echo "the program ended with a failure status" >&2
      status=1
    fi
  fi
  kill "$pid" "$wm" 2>/dev/null
  return $status
}

# Inside the X session the script runs itself again to drive the program.
if [ "${1:-}" = --session ]; then
  session "$2" "$3"
  exit
fi

app_dir=$1
[ -x "$app_dir/wrenfold" ] || fail "no program at $app_dir/wrenfold"
for tool in xvfb-run openbox xdotool wmctrl; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# Run a copy in a path with blanks and Chinese characters: closing writes config/config.ini.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program="$work/程序 目录"
cp -r "$app_dir" "$program"

xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --session "$program" "$work" || {
  cat "$work/program.log" >&2
  fail "start and close under Xvfb"
}
grep -q '^\[FWJL\]' "$program/config/config.ini" 2>/dev/null ||
  fail "closing did not store the last position in config/config.ini"
echo "PASS"
