#!/usr/bin/env bash
# `okuzuke scrape`: every publisher's book page prints its expected record,
# --list names the built scrapers, and wrong arguments get the usage line.
#   scrape_command_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
tests=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

for dir in "$tests"/fixtures/pages/*/; do
  key=$(basename "$dir")
  [ -f "$dir/book.expected" ] || continue
  "$okuzuke" scrape "$key" "$dir/book.html" >"$tmp/$key.out" 2>"$tmp/err"
  check "$key exits 0" test $? -eq 0
  check "$key prints its expected record" diff -u "$dir/book.expected" "$tmp/$key.out"
  "$okuzuke" scrape --list >"$tmp/list"
  check "$key is listed" grep -qx "$key" "$tmp/list"
done

"$okuzuke" scrape nosuchpublisher "$tests/fixtures/pages/shueisha/book.html" >/dev/null 2>"$tmp/err"
check "unknown publisher exits 2" test $? -eq 2
check "unknown publisher: usage" grep -q '^usage: okuzuke scrape' "$tmp/err"
"$okuzuke" scrape shueisha >/dev/null 2>"$tmp/err"
check "missing page argument exits 2" test $? -eq 2
"$okuzuke" scrape shueisha "$tmp/missing.html" >/dev/null 2>"$tmp/err"
check "missing page file exits 1" test $? -eq 1

# With an author dictionary (keys in their half-width form) the reading comes from it.
printf '|緒方ﾊﾙｷ|緒方ハルキ|オガタハルキ|x|\r\n' | iconv -f UTF-8 -t CP932 >"$tmp/AuthDB.dat"
"$okuzuke" scrape shogakukan "$tests/fixtures/pages/shogakukan/book.html" --dict "$tmp" >"$tmp/out"
check "--dict gives the dictionary reading" grep -qP '^Author1Reading\tオガタハルキ$' "$tmp/out"

# --trace: each rule in table order with the lines (1-based) it fired on and
# what it stored; a page without a marker lists that rule as never fired.
page=$tests/fixtures/pages/ohzora/book.html
"$okuzuke" scrape ohzora "$page" --trace >"$tmp/out"
heading=$(grep -an '<h2 class="' "$page" | head -1 | cut -d: -f1)
check "--trace: the title rule's line and value" \
  grep -qA1 '^  1\. title, volume, subtitle, publisher, marker "<h2 class=""$' "$tmp/out"
check "--trace: 1-based line numbers" grep -q "^    line $heading: 午前零時のシンデレラ" "$tmp/out"
check "--trace: nothing silent on the book page" grep -q '^never fired: none$' "$tmp/out"
grep -av '<dd>' "$page" >"$tmp/no-description.html"
"$okuzuke" scrape ohzora "$tmp/no-description.html" --trace >"$tmp/out"
check "--trace: a missing marker's rule never fired" \
  bash -c "sed -n '/^never fired:/,\$p' '$tmp/out' | grep -q '^  11\. description, marker \"<dd>\"$'"
"$okuzuke" scrape --help | grep -q -- '--trace'
check "scrape --help documents --trace" test $? -eq 0

finish "scrape_command"
