#!/usr/bin/env bash
# A user's round trip under Xvfb: with a category seeded and remembered, create an article with
# Ctrl+N, type a line, save with Ctrl+S and close; the next start must show that article again.
# $1: the program directory the build assembles.
set -euo pipefail
screen_height=1024
category="工作笔记"
line="hello from the round trip"

source "$(dirname "$0")/x_session.sh" "$1"

sql "insert into 目录管理(目录位置,目录名称) values('1','$category');" >/dev/null
printf '[FWJL]\nFL=%s\n' "$category" >"$work/config/config.ini"

# article_holds TEXT: whether the one stored article's content holds the text.
article_holds() {
  [[ "$(sql "select 文章内容 from 文章管理;")" == *"$1"* ]]
}

start_program
xdotool key --clearmodifiers ctrl+n
wait_sql "select count(*) from 文章管理;" 1
xdotool type --delay 30 "$line"
xdotool key --clearmodifiers ctrl+s
wait_until "Ctrl+S to store the line" article_holds "$line"
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
wait_until "Ctrl+S to store the longer line" article_holds "$line again"
close_program

content=$(sql "select 文章内容 from 文章管理;")
[[ "$content" == *"$line again"* ]] || fail "the second start did not show the article"
[ "$(sql 'select count(*) from 文章管理;')" = "1" ] || fail "more than one article stored"
echo "PASS"
