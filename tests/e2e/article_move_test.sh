#!/usr/bin/env bash
# Moving an article through the article list's pop-up menu under Xvfb: the move is stored in
# 文章位置 and the next start lists the articles in the new order, which a second move relies on.
# $1: the program directory the build assembles.
set -euo pipefail
screen_height=1024
category="工作笔记"

source "$(dirname "$0")/x_session.sh" "$1"

placed() {
  sql "select group_concat(文章标题 || '@' || 文章位置, ' ') from (select * from 文章管理 order by ID);"
}

sql "insert into 目录管理(目录位置,目录名称) values('1','$category');
insert into 文章管理(文章所属,文章位置,文章标题) values('$category','1','周一计划');
insert into 文章管理(文章所属,文章位置,文章标题) values('$category','2','周报');
insert into 文章管理(文章所属,文章位置,文章标题) values('$category','3','会议纪要');" >/dev/null
# The start selects the category and the article 周报, in row 1.
printf '[FWJL]\nFL=%s\nWZ=周报\n' "$category" >"$work/config/config.ini"

# Right-clicks the article list's row (rows are 25 pixels apart in the window at its design
# size) and chooses the pop-up item that many Down presses away.
choose_for_row() {
  local row=$1 downs=$2
  xdotool mousemove --window "$window" 650 $((132 + 25 * row)) click 3
  wait_menus 1
  for _ in $(seq "$downs"); do xdotool key Down; done
  xdotool key Return
  wait_menus 0
}
move_down=3  # 保存记录, 向上移动, 向下移动
move_up=2

start_program
choose_for_row 1 "$move_down"
close_program
[ "$(placed)" = "周一计划@1 周报@3 会议纪要@2" ] || fail "after moving down: $(placed)"
grep -qE '^WZ *= *周报$' "$work/config/config.ini" || fail "the moved article is not remembered"

# Listed as stored, the remembered article is now in row 2; moving it up must swap it with
# 会议纪要 in row 1.
start_program
choose_for_row 2 "$move_up"
close_program
[ "$(placed)" = "周一计划@1 周报@2 会议纪要@3" ] || fail "after the restart and moving up: $(placed)"
echo "PASS"
