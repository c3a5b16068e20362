#!/usr/bin/env bash
# `okuzuke run` in replay mode over codes of every built publisher (the
# bundled sample) gives the expected result file; a site lost after the first
# book still leaves that book in the result file.
#   sample_run_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
tests=$2
src=$(cd "$3" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

records=$(grep -c '^# record' "$tests/e2e/expected/sample.show")
"$okuzuke" run --replay "$src/sample/pages" --out "$tmp/result.txt" "$src/sample/codes.txt" >"$tmp/table" 2>"$tmp/err"
check "run exits 0" test $? -eq 0
check "table lists one record per book" grep -q "^$records records\$" "$tmp/table"
check "CR LF line ends" test "$(grep -c $'\r$' "$tmp/result.txt")" -eq "$records"
check "68 columns per record" test "$(awk -F, '{print NF}' "$tmp/result.txt" | sort -u)" = 68
"$okuzuke" show "$tmp/result.txt" >"$tmp/show"
check "records as expected" diff -u "$tests/e2e/expected/sample.show" "$tmp/show"
# The sample holds a code of every row of the dispatch table (and of both
# Media Factory pages): each gives one record, in code order.
# The two codes at its end give none: one of no publisher, one its
# publisher's page does not hold.
grep -vE '^#|^$' "$src/sample/codes.txt" | tr -d '-' | cut -c1-13 | head -n -2 >"$tmp/codes"
check "one record per code, in code order" diff <(cut -d, -f1 "$tmp/result.txt") "$tmp/codes"
check "every publisher of the dispatch table" test "$(grep -cP '^Publisher\t' "$tmp/show")" -eq 18

# With the national library catalogue on, those two come from it.
"$okuzuke" run --fallback ndl --replay "$src/sample/pages" --out "$tmp/ndl.txt" "$src/sample/codes.txt" >"$tmp/table" 2>"$tmp/err"
check "fallback: run exits 0" test $? -eq 0
check "fallback: a record per code" test "$(grep -c . "$tmp/ndl.txt")" -eq $((records + 2))
check "fallback: the publishers' records unchanged" diff <(head -n "$records" "$tmp/ndl.txt") "$tmp/result.txt"
check "fallback: the table marks the catalogue's records" \
  test "$(grep -cE '^978410123456 *4.* catalogue$|^9784063842999 .* catalogue$' "$tmp/table")" -eq 2
"$okuzuke" show "$tmp/ndl.txt" >"$tmp/show"
check "fallback: record of the catalogue" grep -qP '^Title\t潮騒の図書館$' "$tmp/show"
check "fallback: its reading, half-width" grep -qP '^Author1Reading\tﾐﾅｾﾄｵﾙ$' "$tmp/show"
check "fallback: its page address" grep -qP '^PageUrl\thttps://ndlsearch.ndl.go.jp/books/R100000002-I000004564$' "$tmp/show"
# A catalogue without the book, and a dead publisher's site: the run goes on,
# and the codes no publisher gave are asked in one request.
mkdir -p "$tmp/nohit" "$tmp/noanswer"
batch='https://ndlsearch.ndl.go.jp/api/sru?operation=searchRetrieve&version=1.2&recordSchema=dcndl&onlyBib=true&recordPacking=xml&maximumRecords=200&query=isbn%3D9784088735122%20OR%20isbn%3D9784101234564%20OR%20isbn%3D9784063842999'
sed -e "s#\t\.\./\.\./#\t$src/#" -e "s#\tndl/#\t$src/sample/pages/ndl/#" \
    -e 's#^\(http://books.shueisha.co.jp/[^\t]*\)\t.*#\1\t-#' \
  "$src/sample/pages/manifest.tsv" >"$tmp/nohit/manifest.tsv"
cp "$tmp/nohit/manifest.tsv" "$tmp/noanswer/manifest.tsv"
printf '%s\t%s\n' "$batch" "$src/sample/pages/ndl/9784063842999.xml" >>"$tmp/nohit/manifest.tsv"
printf '%s\t%s\n' "$batch" "$src/tests/fixtures/catalogue/not-xml.xml" >>"$tmp/noanswer/manifest.tsv"
"$okuzuke" run --fallback NDL --progress --replay "$tmp/nohit" --out "$tmp/nohit.txt" "$src/sample/codes.txt" >"$tmp/table" 2>"$tmp/err"
check "fallback: a dead publisher's site does not end the run" test $? -eq 0
check "fallback: both failed" grep -qF '9784101234564  no publisher for its prefix; not in the catalogue either' "$tmp/table"
check "fallback: dead site, then the catalogue" \
  grep -qE '^  978-4-08-873512-2  the site could not be reached .*; not in the catalogue either$' "$tmp/table"
check "fallback: the later codes still looked up" test "$(grep -c . "$tmp/nohit.txt")" -eq $((records))
check "fallback: one request, one progress line" grep -qx 'catalogue: 3 codes, request 1 of 1  0:0[0-9] elapsed' "$tmp/err"
"$okuzuke" run --fallback ndl --replay "$tmp/noanswer" --out "$tmp/noanswer.txt" "$src/sample/codes.txt" >"$tmp/table" 2>"$tmp/err"
check "fallback: no answer is no result" \
  grep -qF '9784101234564  no publisher for its prefix; the catalogue did not answer (not an SRU answer)' "$tmp/table"

# The dictionaries in the work folder correct what the pages give.
mkdir -p "$tmp/work"
python3 - "$tmp/work" <<'PY'
import sys
w = sys.argv[1]
open(w + '/PubDB.dat', 'wb').write('|08|集英社（テスト）\r\n'.encode('cp932'))
open(w + '/LabelsDB.dat', 'wb').write('|宙出版|ｿﾙﾏ-ﾚｺﾐｯｸｽ|Solmare\r\n'.encode('cp932'))
open(w + '/AuthDB.dat', 'wb').write('|緒方ﾊﾙｷ|緒方 ハルキ|おがた はるき|x|\r\n'.encode('cp932'))
PY
"$okuzuke" run --work "$tmp/work" --replay "$src/sample/pages" --out "$tmp/dict.txt" "$src/sample/codes.txt" >/dev/null 2>&1
"$okuzuke" show "$tmp/dict.txt" >"$tmp/show"
check "publisher dictionary" grep -qP '^Publisher\t集英社（テスト）$' "$tmp/show"
check "label dictionary (half-width key)" grep -qP '^Label\tSolmare$' "$tmp/show"
check "author dictionary: name" grep -qP '^Author1\t緒方 ハルキ$' "$tmp/show"
check "author dictionary: reading, half-width" grep -qP '^Author1Reading\tおがた はるき$' "$tmp/show"
check "author dictionary: extra value" grep -qP '^Field64\tx$' "$tmp/show"
check "work folder holds the download" test -f "$tmp/work/Temp.html"

# Shueisha unreachable: the run ends there, the Shogakukan book is saved.
mkdir -p "$tmp/offline"
sed -e "s#\t\.\./\.\./#\t$src/#" -e 's#^\(http://books.shueisha.co.jp/[^\t]*\)\t.*#\1\t-#' \
  "$src/sample/pages/manifest.tsv" >"$tmp/offline/manifest.tsv"
"$okuzuke" run --replay "$tmp/offline" --out "$tmp/lost.txt" "$src/sample/codes.txt" >"$tmp/table" 2>"$tmp/err"
check "lost connection message" grep -q 'インターネットに接続されていません' "$tmp/err"
check "records before the lost connection are saved" test "$(grep -c . "$tmp/lost.txt")" -eq 1
check "the saved record is the first book" grep -q '^9784091274557,' "$tmp/lost.txt"

# A page cut inside a character (the credit line ends in a lead byte): the
# record still reads, the code page 932 way, as 68 columns.
mkdir -p "$tmp/cut"
python3 - "$src/tests/fixtures/pages/shueisha/book.html" "$tmp/cut/book.html" <<'PY'
import sys
page = open(sys.argv[1], 'rb').read()
credits = 'ほったゆかり／小畑 武'.encode('cp932')
open(sys.argv[2], 'wb').write(page.replace(credits, credits + b'\x82', 1))
PY
grep '^http://books.shueisha' "$src/sample/pages/manifest.tsv" | cut -f1 | sed 's#$#\tbook.html#' >"$tmp/cut/manifest.tsv"
printf '978-4-08-873512-2\n' >"$tmp/cut/codes.txt"
"$okuzuke" run --replay "$tmp/cut" --out "$tmp/cut.txt" "$tmp/cut/codes.txt" >/dev/null 2>&1
columns_cp932() {  # the columns of each record, read as the host reads code page 932 comma text
  python3 - "$1" <<'PY'
import sys
for line in open(sys.argv[1], 'rb').read().split(b'\r\n')[:-1]:
    columns, i, quoted = 1, 0, False
    while i < len(line):
        b = line[i]
        if 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC:
            i += 2
            continue
        if b == 0x22:
            quoted = not quoted
        elif b == 0x2C and not quoted:
            columns += 1
        i += 1
    print(columns)
PY
}
check "cut page: one record" test "$(grep -c . "$tmp/cut.txt")" -eq 1
check "cut page: 68 columns read as code page 932" test "$(columns_cp932 "$tmp/cut.txt")" = 68
check "cut page: the lone lead byte is dropped" grep -q "$(printf '\x8f\xac\x94\xa8 \x95\x90",')" "$tmp/cut.txt"

finish "sample_run"
