#!/usr/bin/env bash
# `okuzuke run --work DIR` with a dictionary saved by Notepad as "Unicode"
# (UTF-16 LE with a byte order mark): its entries are found, and the line
# holding a character Shift-JIS lacks is named on standard error.
#   user_files_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
src=$3
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

mkdir "$tmp/work"
printf '|08|集英社（辞書）\r\n|09|한국\r\n' | iconv -f UTF-8 -t UTF-16 >"$tmp/work/PubDB.dat"
printf '978-4-08-873512-2\n' >"$tmp/codes.txt"
timeout 120 "$okuzuke" run --replay "$src/sample/pages" --work "$tmp/work" --out "$tmp/r.txt" \
  "$tmp/codes.txt" >"$tmp/out" 2>"$tmp/err"
check "UTF-16 dictionary: run exits 0" test $? -eq 0
check "UTF-16 dictionary: its publisher in the record" grep -q '集英社（辞書）' "$tmp/out"
check "UTF-16 dictionary: the unusable line named" grep -qF "$tmp/work/PubDB.dat line 2:" "$tmp/err"
check "UTF-16 dictionary: nothing else named" test "$(grep -c ' line ' "$tmp/err")" -eq 1

finish "user files"
