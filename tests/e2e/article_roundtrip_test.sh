#!/usr/bin/env bash
# A user's round trip under Xvfb: with a category seeded and remembered, create an article with
# Ctrl+N, type a line, save with Ctrl+S and close; the next start must show that article again.
# $1: the program directory the build assembles.
set -euo pipefail
# The program must open a real window on the X server, whatever the caller set.
unset QT_QPA_PLATFORM

app_dir="$1"
key="marvek1986.."
category="工作笔记"
line="hello from the round trip"

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

sql() {
  printf "PRAGMA key = '%s';\n%s\n" "$key" "$1" | sqlcipher "$work/data/data.mdb" | sed '/^ok$/d'
}

mkdir -p "$work"
cp -r "$app_dir"/. "$work"/
rm -f "$work"/config/config.ini
sql "insert into 目录管理(目录位置,目录名称) values('1','$category');" >/dev/null
printf '[FWJL]\nFL=%s\n' "$category" >"$work/config/config.ini"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$scratch/display")"
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

# Starts the program, waits for its window and gives it the keyboard.
start_program() {
  "$work/wrenfold" >"$scratch/program.log" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^WrenfoldV2\.5$' | head -1) ||
    fail "the main window did not appear"
  xdotool windowactivate --sync "$window"
  sleep 1
}

# Closes the window as the window manager does and waits for the program to end.
close_program() {
  wmctrl -c WrenfoldV2.5
  for _ in $(seq 100); do kill -0 "$program_pid" 2>/dev/null || return 0; sleep 0.1; done
  fail "the program did not end after its window was closed"
}

start_program
xdotool key --clearmodifiers ctrl+n
sleep 0.5
xdotool type --delay 30 "$line"
xdotool key --clearmodifiers ctrl+s
sleep 0.5
close_program

stored=$(sql "select 文章所属 || '|' || 文章位置 || '|' || 文章标题 from 文章管理;")
[ "$stored" = "$category|1|${category}1" ] || fail "stored article: '$stored'"
content=$(sql "select 文章内容 from 文章管理;")
[[ "$content" == "{\\rtf"* ]] || fail "content is not RTF: '${content:0:80}'"
[[ "$content" == *"$line"* ]] || fail "content does not hold the typed line"

ini="$work/config/config.ini"
ini_holds() {
  grep -qiE "^$1 *= *$2\$" "$ini" || fail "config.ini lacks $1=$2: $(cat "$ini")"
}
ini_holds FL "$category"
ini_holds WZ "${category}1"
ini_holds ZB "${#line}"

# Second start: the article is loaded with the caret at the end of the line, so typing goes on
# after it and saving stores both into the same article (a save without a loaded article is
# refused and would store nothing).
start_program
xdotool type --delay 30 " again"
xdotool key --clearmodifiers ctrl+s
sleep 0.5
close_program

content=$(sql "select 文章内容 from 文章管理;")
[[ "$content" == *"$line again"* ]] || fail "the second start did not show the article"
[ "$(sql 'select count(*) from 文章管理;')" = "1" ] || fail "more than one article stored"
echo "PASS"
