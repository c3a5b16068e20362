#!/usr/bin/env bash
# Records as JSON: `okuzuke run --json` on the bundled sample and `okuzuke show
# --json` on its result file read as JSON with the expected fields; a file
# that is no result file gives valid JSON or an error, never broken output.
#   json_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
src=$(cd "$3" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

"$okuzuke" run --json --replay "$src/sample/pages" --out "$tmp/result.txt" "$src/sample/codes.txt" \
  >"$tmp/run.json" 2>"$tmp/err"
check "run --json exits 0" test $? -eq 0
check "run --json reads as JSON" python3 -m json.tool "$tmp/run.json" /dev/null
"$okuzuke" run --json --all --replay "$src/sample/pages" --out "$tmp/all.txt" "$src/sample/codes.txt" \
  >"$tmp/all.json" 2>/dev/null
"$okuzuke" show --json "$tmp/result.txt" >"$tmp/show.json"
check "show --json exits 0" test $? -eq 0

# Checked in Python over run (run --json), every (run --json --all), show
# (show --json) and names (the 66 field names, in order).
"$okuzuke" show --all "$tmp/result.txt" | sed -n '2,67s/\t.*//p' >"$tmp/names"
python3 - "$tmp" >"$tmp/checks" <<'PY'
import json, sys
d = sys.argv[1]
run, every, show = (json.load(open(f'{d}/{n}.json', encoding='utf-8')) for n in ('run', 'all', 'show'))
names = open(f'{d}/names').read().split()
records = run['records']
checks = {
    'one object per record': len(records) == 18 and len(show) == 18,
    'show --json gives the records run --json gives': show == records,
    'fields keyed by name': records[0]['Isbn'] == '9784091274557' and records[0]['Title'].strip() == '星降る町の探偵団',
    'keys in field order': all(list(r) == [n for n in names if n in r] for r in records),
    'empty fields left out': all(v != '' for r in records for v in r.values()) and 'Subtitle' not in records[0],
    '--all: every field': [list(r) for r in every['records']] == [names] * 18,
    '$$ in the result file is a newline': records[0]['Description'].startswith('内容紹介：\n') and
        not any('$$' in v for r in records for v in r.values()),
    'codes without a record, with the reason': run['without_record'][0] ==
        {'code': '9784101234564', 'reason': 'no publisher for its prefix'} and
        [c['code'] for c in run['without_record']] == ['9784101234564', '9784063842999'],
}
for name, ok in checks.items():
    print(('ok' if ok else 'FAIL') + '\t' + name)
PY
while IFS=$'\t' read -r verdict name; do
  check "$name" test "$verdict" = ok
done <"$tmp/checks"
check "all checks ran" test "$(wc -l <"$tmp/checks")" -eq 8

# Files that are no result file, or odd ones: valid JSON (the Python check
# holds) or exit 1 with a message and nothing on standard output.
python3 - "$tmp" "$tmp/result.txt" <<'PY'
import sys
d, result = sys.argv[1], open(sys.argv[2], 'rb').read()
def record(**fields):  # a 68-column record line; keys are column numbers
    cols = [b''] * 68
    for k, v in fields.items():
        cols[int(k[1:])] = v
    return b','.join(cols) + b'\r\n'
files = {
    'binary': bytes(range(256)) * 64,
    'cut': result[:result.index(b'\r\n') + 300],
    'lead-byte-before-comma': record(c1=b'\x82', c2=b'x'),
    'lead-byte-odd': record(c0=b'978', c1=b'A\x82\x20B', c2=b'a\x00b\xfd\xa0', c67=b'\x82'),
    'ten-megabytes': record(c0=b'978', c36='あ'.encode('cp932') * (5 << 20)),
}
for name, data in files.items():
    open(f'{d}/{name}.txt', 'wb').write(data)
PY
bad() {  # bad NAME EXPECTED(json|error) PYTHON-CHECK
  "$okuzuke" show --json "$tmp/$1.txt" >"$tmp/$1.json" 2>"$tmp/$1.err"
  local status=$?
  if [ "$2" = json ]; then
    check "$1: exit 0" test $status -eq 0
    check "$1: valid JSON as expected" python3 -c "import json,sys; r=json.load(open(sys.argv[1],encoding='utf-8')); sys.exit(0 if $3 else 1)" "$tmp/$1.json"
  else
    check "$1: exit 1" test $status -eq 1
    check "$1: says why" grep -q "is no result file: line $3 " "$tmp/$1.err"
    check "$1: no output" test ! -s "$tmp/$1.json"
  fi
}
bad binary error 1
bad cut error 2
bad lead-byte-before-comma error 1  # the lead byte takes the comma, as the host reads it
bad lead-byte-odd json "r[0]['Title'] == 'A\ufffd B' and r[0]['TitleReading'].startswith('a\x00b') and r[0]['Field66'] == '\ufffd'"
bad ten-megabytes json "len(r[0]['Description']) == 5 << 20"

finish "json"
