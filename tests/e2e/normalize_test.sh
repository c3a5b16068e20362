#!/usr/bin/env bash
# `okuzuke normalize` on a handful of inputs: UTF-8 in, NAME<TAB>VALUE out.
#   normalize_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
expect() {  # expect "EXPECTED OUTPUT" ARGS...
  local want=$1
  shift
  local got
  got=$("$okuzuke" normalize "$@" 2>&1)
  if [ "$got" = "$(printf "$want")" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL normalize %s\n--- want\n%b\n--- got\n%s\n' "$*" "$want" "$got"
  fi
}

expect 'title\tABC\nvolume\t3\nremarks\t' title 'ＡＢＣ（３）'
expect 'title\tABC\nvolume\t3\nremarks\t特装版' title 'ABC (3) (特装版)'
expect 'title\tABC\nvolume\t\nremarks\t新装版' title 'ABC〈新装版〉'
expect 'title\t\nvolume\t12\nremarks\t' title '12巻'
expect 'credit\t4田中一郎 [監修]\nauthor1\t田中一郎 [監修]\nauthor1-reading\t\nauthor2\t\nauthor2-reading\t\nothers\t' \
  credits '監修：田中一郎'
expect 'credit\t1佐藤花子\ncredit\t2山田太郎\ncredit\t4田中一郎 [監修]\nauthor1\t佐藤花子\nauthor1-reading\t\nauthor2\t山田太郎\nauthor2-reading\t\nothers\t田中一郎 [監修]' \
  credits '原作：山田太郎　漫画：佐藤花子　監修：田中一郎' --sorted
expect 'credit\t0A\ncredit\t0B\ncredit\t0C\nauthor1\tA\nauthor1-reading\t\nauthor2\tB\nauthor2-reading\t\nothers\tC' \
  credits 'A/B/C' --separator /
expect 'key\tｿﾙﾏ-ﾚｺﾐｯｸｽ' key '☆ソルマーレ・コミックス'
expect 'size\tB6' size 'Ｂ６判'
expect 'size\t四六変型' size '四六判変形'
expect 'result\t1\nyear\t2008\nmonth\t03\nday\t15' date '08.03.15'
expect 'result\t0\nyear\t\nmonth\t\nday\t' date '2008'
expect 'text\tｶﾞﾝﾀﾞﾑ ABC' halfwidth 'ガンダム　ＡＢＣ'

"$okuzuke" normalize bogus text >/dev/null 2>&1
if [ $? -eq 2 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL unknown kind"; fi
"$okuzuke" normalize title >/dev/null 2>&1
if [ $? -eq 2 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL missing text"; fi

finish "normalize"
