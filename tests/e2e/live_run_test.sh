#!/usr/bin/env bash
# `okuzuke run --live` against a stand-in for the publishers' sites on
# 127.0.0.1 (tests/e2e/page_server.py), used as the proxy: the same records
# as a replay run, failed pages listed with their reasons, redirects and
# compressed pages, pacing, recording and replaying, a refused connection.
# Nothing is sent anywhere but 127.0.0.1.
#   live_run_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
tests=$2
src=$(cd "$3" && pwd)
tmp=$(mktemp -d)
servers=()
cleanup() {
  for pid in "${servers[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY no_proxy NO_PROXY

if "$okuzuke" run --live --out "$tmp/none.txt" - </dev/null 2>&1 | grep -q 'no network support'; then
  echo "live_run: this okuzuke is built without libcurl; skipped"
  exit 0
fi

sample=$src/sample/pages
shogakukan=http://www.shogakukan.co.jp/skygarden/owa/sol_detail?isbn=
shueisha=http://books.shueisha.co.jp/CGI/search/syousai_put.cgi?isbn_cd=
maggarden=http://www.mag-garden.co.jp/view.php?mode=detail\&isbn=4861276128
houbunsha=http://www.houbunsha.co.jp/cgi-local/cgi/_comicView_2.pl?isbn=978-4-8322-7043-5
cat >"$tmp/rules.tsv" <<RULES
${shogakukan}9784091111111	status:404
${shueisha}978-4-08-111111-4&mode=1	hang
${maggarden//\\/}	redirect:http://www.mag-garden.co.jp/moved/4861276128.html
http://www.mag-garden.co.jp/moved/4861276128.html	redirect-target
$houbunsha	gzip
${shogakukan}9784092222229	busy-once:1
RULES
# The redirect target serves the Mag Garden page; the rest is the sample.
{ cat "$sample/manifest.tsv" | sed "s#\t\.\./\.\./#\t$src/#"
  printf 'http://www.mag-garden.co.jp/moved/4861276128.html\t%s\n' "$src/tests/fixtures/pages/maggarden/book.html"
  printf '%s9784092222229\t%s\n' "$shogakukan" "$src/tests/fixtures/pages/shogakukan/book.html"
} >"$tmp/manifest.tsv"

start_server() {  # start_server NAME [OPTIONS...]: sets $port
  rm -f "$tmp/$1.port"
  python3 "$src/tests/e2e/page_server.py" "$tmp/manifest.tsv" "$tmp/$1.port" "$tmp/$1.log" \
    --rules "$tmp/rules.tsv" "${@:2}" &
  servers+=($!)
  for _ in $(seq 100); do [ -s "$tmp/$1.port" ] && break; sleep 0.05; done
  port=$(cat "$tmp/$1.port")
}
live() { "$okuzuke" run --live --proxy "http://127.0.0.1:$port" --timeout 2 "$@"; }

# -- the sample, live and replayed: the same result file
start_server main
"$okuzuke" run --replay "$sample" --out "$tmp/replay.txt" "$src/sample/codes.txt" >/dev/null 2>&1
live --delay 0 --out "$tmp/live.txt" "$src/sample/codes.txt" >"$tmp/out" 2>"$tmp/err"
check "live run exits 0" test $? -eq 0
check "live run: the replay run's records" cmp -s "$tmp/replay.txt" "$tmp/live.txt"
check "a redirect is followed" grep -q 'moved/4861276128.html' "$tmp/main.log"
check "a gzip-compressed page is read" grep -q '^9784832270435,' "$tmp/live.txt"
check "the user agent names the program" grep -qP '\tokuzuke/[0-9.]+ ' "$tmp/main.log"
check "the code of no publisher is listed" grep -qP '^  9784101234564  no publisher for its prefix$' "$tmp/out"

# -- pages that fail: listed with their reasons, the run goes on
printf '9784091111111\n9784081111114\n9784092222229\nnot-a-code\n' >"$tmp/failing.txt"
live --delay 0 --out "$tmp/failing-result.txt" "$tmp/failing.txt" >"$tmp/out" 2>"$tmp/err"
check "failing pages: run exits 0" test $? -eq 0
check "a 404 page is listed" grep -q "^  9784091111111  the page could not be fetched (HTTP 404): ${shogakukan}9784091111111$" "$tmp/out"
check "a page that never answers is listed" grep -q "^  9784081111114  the page could not be fetched (no answer within 2 s): " "$tmp/out"
check "a busy site is asked again after Retry-After" grep -q '^9784092222229,' "$tmp/failing-result.txt"
check "an invalid code is listed" grep -qP '^  not-a-code  not a valid ISBN$' "$tmp/out"

# -- pacing: two downloads from one site start at least the delay apart
printf '9784091111111\n9784091274557\n' >"$tmp/two.txt"
: >"$tmp/main.log"
live --delay 1 --out "$tmp/paced.txt" "$tmp/two.txt" >/dev/null 2>&1
gap() { awk -F'\t' 'NR == 1 { a = $1 } NR == 2 { printf "%.3f", $1 - a }' "$tmp/main.log"; }
check "--delay 1 spaces the downloads" awk -v g="$(gap)" 'BEGIN { exit !(g >= 0.95) }'
: >"$tmp/main.log"
live --delay 0 --out "$tmp/unpaced.txt" "$tmp/two.txt" >/dev/null 2>&1
check "--delay 0 does not wait" awk -v g="$(gap)" 'BEGIN { exit !(g < 0.5) }'

# -- recording, then replaying: the same result file without the network
live --delay 0 --record "$tmp/recorded" --out "$tmp/recorded.txt" "$src/sample/codes.txt" >/dev/null 2>&1
check "--record writes a manifest" test -s "$tmp/recorded/manifest.tsv"
"$okuzuke" run --replay "$tmp/recorded" --out "$tmp/replayed.txt" "$src/sample/codes.txt" >/dev/null 2>&1
check "--record then --replay: byte-identical" cmp -s "$tmp/recorded.txt" "$tmp/replayed.txt"
check "the recording holds the live records" cmp -s "$tmp/live.txt" "$tmp/replayed.txt"

# -- the site stops answering after the first page: the run ends with the
# message, keeps the first record and says why the rest gave none
start_server dying --stop-after 1
live --delay 0 --out "$tmp/lost.txt" "$src/sample/codes.txt" >"$tmp/out" 2>"$tmp/err"
check "refused connection: exit 1" test $? -eq 1
check "refused connection: the message" grep -q 'インターネットに接続されていません' "$tmp/err"
check "refused connection: the first record kept" test "$(grep -c . "$tmp/lost.txt")" -eq 1
check "refused connection: the reason" grep -q '^  978-4-08-873512-2  the site could not be reached' "$tmp/out"
check "refused connection: later codes not looked up" grep -q '^  9784861276125  not looked up' "$tmp/out"

finish "live_run"
