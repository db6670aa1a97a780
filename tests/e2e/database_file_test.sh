#!/bin/bash
# The shipped data.mdb opens in the sqlcipher command-line tool with the program's key and holds
# the three tables and the one login row; without the key it is unreadable.
set -u
source "$(dirname "$0")/notebook.sh"
app_dir=$1
database="$app_dir/data/data.mdb"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

[ -f "$database" ] || fail "no database at $database"
command -v sqlcipher >/dev/null || fail "the sqlcipher command-line tool is not installed"

# Work on a copy in a path with blanks and Chinese characters, so the shipped file stays as built.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy="$work/程序 目录/data.mdb"
mkdir -p "$(dirname "$copy")"
cp "$database" "$copy"

tables=$(notebook_sql "$copy" ".tables" 2>&1)
for table in 文章管理 目录管理 用户管理; do
  grep -qw "$table" <<<"$tables" || fail "table $table missing; sqlcipher said: $tables"
done

login=$(notebook_sql "$copy" "select 开启登陆 || '|' || 用户密码 from 用户管理;" 2>&1)
[ "$login" = "假|" ] || fail "用户管理 should hold one row ('假', ''); got: $login"

columns=$(notebook_sql "$copy" "PRAGMA table_info(文章管理);" 2>&1 | cut -d'|' -f2 | paste -sd,)
[ "$columns" = "ID,文章所属,文章位置,文章内容,文章标题,建立时间,修改时间" ] ||
  fail "文章管理 columns: $columns"

if printf ".tables\n" | sqlcipher "$copy" 2>&1 | grep -q 文章管理; then
  fail "the database can be read without its key"
fi
echo "PASS"
