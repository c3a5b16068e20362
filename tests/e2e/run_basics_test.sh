#!/usr/bin/env bash
# `okuzuke run` and `okuzuke show` on the paths that need no scraper: an empty
# code list, codes that match no publisher, a lost connection, a result file
# that cannot be saved, a plug-in that cannot be loaded, and showing a result
# file.
#   run_basics_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
tests=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

# An empty code list: the plug-in says so and writes no result file.
: >"$tmp/empty.txt"
"$okuzuke" run --replay "$tests/fixtures/replay-offline" --out "$tmp/r1.txt" "$tmp/empty.txt" \
  >"$tmp/out" 2>"$tmp/err"
check "empty list exits 1" test $? -eq 1
check "empty list message" grep -q '検索するISBNを取得できませんでした' "$tmp/err"
check "empty list: no result file" test ! -e "$tmp/r1.txt"

# Codes of no known publisher (and an invalid one): an empty result file.
printf '9784101234567\n9790000000001\nnot-a-code\n' >"$tmp/unknown.txt"
"$okuzuke" run --replay "$tests/fixtures/replay-offline" --out "$tmp/r2.txt" "$tmp/unknown.txt" \
  >"$tmp/out" 2>"$tmp/err"
check "unknown prefixes exit 0" test $? -eq 0
check "unknown prefixes: empty result file" test -f "$tmp/r2.txt" -a ! -s "$tmp/r2.txt"
check "unknown prefixes: 0 records" grep -q '^0 records$' "$tmp/out"

# A site that cannot be reached ends the run with the message; the result
# file is still written.
printf '9784101234564\n9784091234568\n9784088700007\n' >"$tmp/offline.txt"
"$okuzuke" run --replay "$tests/fixtures/replay-offline" --out "$tmp/r3.txt" "$tmp/offline.txt" \
  >"$tmp/out" 2>"$tmp/err"
check "lost connection message" grep -q 'インターネットに接続されていません http://www.shogakukan.co.jp/' "$tmp/err"
check "lost connection: result file saved" test -f "$tmp/r3.txt"

# A result file that cannot be saved (its folder is gone): the plug-in says
# so with the path, and the run fails. A folder given as the result file is
# refused before the run, not removed.
"$okuzuke" run --replay "$tests/fixtures/replay-offline" --out "$tmp/gone/r.txt" "$tmp/unknown.txt" \
  >"$tmp/out" 2>"$tmp/err"
check "unsaved result exits 1" test $? -eq 1
check "unsaved result message" grep -qF "結果ファイルを保存できませんでした。 $tmp/gone/r.txt" "$tmp/err"
mkdir "$tmp/folder"
"$okuzuke" run --replay "$tests/fixtures/replay-offline" --out "$tmp/folder" "$tmp/unknown.txt" \
  >"$tmp/out" 2>"$tmp/err"
check "a folder as result file exits 1" test $? -eq 1
check "a folder as result file is kept" test -d "$tmp/folder"

# Codes from standard input, ISBN-10 and hyphenated forms accepted by the host.
printf '4-10-123456-X\n' | "$okuzuke" run --replay "$tests/fixtures/replay-offline" \
  --out "$tmp/r4.txt" - >"$tmp/out" 2>"$tmp/err"
check "codes from standard input" test -f "$tmp/r4.txt"

# A plug-in that is not there.
"$okuzuke" run --plugin "$tmp/none.so" --replay "$tests/fixtures/replay-offline" \
  --out "$tmp/r5.txt" "$tmp/unknown.txt" >"$tmp/out" 2>"$tmp/err"
check "missing plug-in exits 1" test $? -eq 1
check "missing plug-in message" grep -q 'cannot load the plug-in' "$tmp/err"

# show: a record written by hand in the result file's form (Shift-JIS).
python3 - "$tmp/result.txt" <<'PY'
import sys
cols = [''] * 68
cols[0] = '9784091234567'
cols[1] = 'タイトル'
cols[4] = '3'
cols[35] = '"line one$$line two"'  # field 35 (page count) column, quoted because of the blank
cols[36] = '内容紹介：$$あらすじ'
line = ','.join(cols)
open(sys.argv[1], 'wb').write((line + '\r\n').encode('cp932'))
PY
"$okuzuke" show "$tmp/result.txt" >"$tmp/out" 2>"$tmp/err"
check "show exits 0" test $? -eq 0
check "show: record header" grep -q '^# record 1$' "$tmp/out"
check "show: ISBN" grep -qP '^Isbn\t9784091234567$' "$tmp/out"
check "show: title decoded to UTF-8" grep -qP '^Title\tタイトル$' "$tmp/out"
check "show: quoted field" grep -qP '^PageCount\tline one\$\$line two$' "$tmp/out"
check "show: description" grep -qP '^Description\t内容紹介：\$\$あらすじ$' "$tmp/out"
check "show: empty fields left out" bash -c "! grep -q '^Subtitle' '$tmp/out'"
"$okuzuke" show --all "$tmp/result.txt" >"$tmp/out"
check "show --all lists all 66 fields" test "$(grep -c $'\t' "$tmp/out")" -eq 66
"$okuzuke" show "$tmp/missing.txt" >/dev/null 2>&1
check "show of a missing file exits 1" test $? -eq 1

finish "run_basics"
