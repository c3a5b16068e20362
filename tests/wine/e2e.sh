#!/usr/bin/env bash
# End-to-end tests of the Windows plug-in under Wine: our stand-in host
# vantor.exe loads okuzuke.dll (an x86_64 build of the same sources; 32-bit
# programs cannot run on this machine), hands it codes and serves the
# downloads from saved pages.
#
#   tests/wine/e2e.sh WIN_BUILD_DIR SOURCE_DIR
set -u

if [ $# -ne 2 ]; then
  echo "usage: $0 WIN_BUILD_DIR SOURCE_DIR" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/okuzuke-wine-e2e.XXXXXX")
prefixes=()
cleanup() {
  for p in "${prefixes[@]}"; do WINEPREFIX="$p" timeout 30 "$wineserver" -k 2>/dev/null; done
  rm -rf "$tmp"
}
trap cleanup EXIT

CHECKS_VERBOSE=1
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wine.sh"

# A Windows path for a Unix path (Wine maps / to drive Z:).
winpath() { echo "Z:${1//\//\\}"; }

new_prefix() {
  local p=$tmp/prefix-$1
  mkdir -p "$p"
  prefixes+=("$p")
  echo "$p"
}

vantor() {  # vantor STAGE ARGS... ; output in $tmp/out.txt
  local stage=$1
  shift
  (cd "$stage" && wine_run "$tmp/out.txt" "$tmp/err.txt" "$wine" "$stage/vantor.exe" "$@")
  tr -d '\r' <"$tmp/out.txt" >"$tmp/out.clean" && mv "$tmp/out.clean" "$tmp/out.txt"
}

stage_host() {  # stage_host NAME HOST-EXE [AS-NAME]
  local stage=$tmp/$1
  mkdir -p "$stage"
  cp "$build/$2" "$stage/${3:-vantor.exe}"
  cp "$build/okuzuke.dll" "$stage/"
  echo "$stage"
}

export WINEDEBUG=-all LC_ALL=ja_JP.UTF-8
export WINEPREFIX=$(new_prefix headless)

host=$(stage_host host vantor.exe)
work=$tmp/work
mkdir -p "$work"

# -- funcGetInfo
vantor "$host" info 256
check "info: name" grep -qP '^name\tDownlaodFunc\t' "$tmp/out.txt"
check "info: version" grep -qP '^version\t1\.2\.3\t' "$tmp/out.txt"
check "info: kind" grep -qP '^kind\t3\t' "$tmp/out.txt"
check "info: Shift-JIS title" env LC_ALL=C grep -q "6F6B757A756B65208F6F94C58ED08354834383678C9F8DF5" "$tmp/out.txt"
check "info: guards intact" test "$(grep -c guard-ok "$tmp/out.txt")" -eq 5
vantor "$host" info 4
check "info: size 4 keeps 3 characters" grep -qP '^name\tDow\t' "$tmp/out.txt"
check "info: size 4 version" grep -qP '^version\t1\.2\t' "$tmp/out.txt"
check "info: size 4 guards" test "$(grep -c guard-ok "$tmp/out.txt")" -eq 5
vantor "$host" info 0
check "info: size 0 writes nothing" test "$(grep -c '(untouched).*guard-ok' "$tmp/out.txt")" -eq 5

# -- a run whose downloads go through the host
codes=$src/tests/wine/codes.txt
out=$tmp/result.txt
vantor "$host" run --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" \
  --out "$(winpath "$out")" "$(winpath "$codes")"
check "run: result file written" test -f "$out"
check "run: downloads went through the host" grep -q '^http://' "$tmp/out.txt"
expected=$(grep -c . "$src/tests/wine/expected_isbns.txt")
check "run: one record per found book" test "$(grep -c . "$out" 2>/dev/null)" -eq "$expected"
check "run: records in code order" diff <(cut -d, -f1 "$out" 2>/dev/null) "$src/tests/wine/expected_isbns.txt"
check "run: 68 columns" test "$(head -1 "$out" | awk -F, '{print NF}')" -ge 68
# The same records as the Linux build writes for the sample (UTF-8 pages,
# EUC-JP pages and Shift-JIS pages all converted with code page 932).
check "run: records as on Linux" cmp -s "$out" "$src/tests/wine/expected_result.txt"
check "run: Temp.html in the work folder" test -f "$work/Temp.html"

# -- the national library catalogue (Fallback=ndl), its answers read by XmlLite:
# the code of no publisher and the book its publisher's page lacks, asked in
# one request
fallback=$(stage_host fallback vantor.exe)
printf '[Entry]\r\nFallback=NDL\r\nFallbackInterval=300\r\n' >"$fallback/Setting.ini"
printf '9784101234564\r\n9784063842999\r\n' >"$tmp/fallback-codes.txt"
vantor "$fallback" run --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" \
  --out "$(winpath "$out")" "$(winpath "$tmp/fallback-codes.txt")"
check "fallback: both codes in one catalogue request" \
  test "$(grep -c '^https://ndlsearch.ndl.go.jp/api/sru?.*isbn%3D9784101234564%20OR%20isbn%3D9784063842999$' "$tmp/out.txt")" -eq 1 -a \
  "$(grep -c '^https://ndlsearch.ndl.go.jp/api/sru?' "$tmp/out.txt")" -eq 1
check "fallback: records as on Linux" cmp -s "$out" "$src/tests/wine/expected_fallback.txt"
# A catalogue that does not answer (no page for the code): asked thrice, the
# waits between the tries going through the window's message pump, then
# given up; the run still completes with the publisher's record.
printf '[Entry]\r\nFallback=NDL\r\nFallbackInterval=100\r\n' >"$fallback/Setting.ini"
printf '9784101234588\r\n9784091274557\r\n' >"$tmp/fallback-codes.txt"
vantor "$fallback" run --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" \
  --out "$(winpath "$out")" "$(winpath "$tmp/fallback-codes.txt")"
check "fallback: no answer is tried thrice" \
  test "$(grep -c '^https://ndlsearch.ndl.go.jp/api/sru?.*isbn%3D9784101234588$' "$tmp/out.txt")" -eq 3
check "fallback: then given up, the run completes" test "$(grep -c . "$out")" -eq 1

# -- an empty code list: message, no result file (an old one is deleted)
echo stale >"$out"
vantor "$host" run-empty --work "$(winpath "$work")" --out "$(winpath "$out")"
check "empty list: old result deleted, none written" test ! -e "$out"

# -- a host without one of the 16 services: message, no result file
incomplete=$(stage_host incomplete vantor_incomplete.exe)
vantor "$incomplete" run --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" \
  --out "$(winpath "$out")" "$(winpath "$codes")"
check "missing service: run ends without result file" grep -qP '^result-file\tabsent' "$tmp/out.txt"
check "missing service: nothing downloaded" test "$(sed -n '/^downloads:/,/^result-file/p' "$tmp/out.txt" | grep -c '^http')" -eq 0

# -- no vantor.exe beside the running host: message, no result file
renamed=$(stage_host renamed vantor.exe other.exe)
(cd "$renamed" && wine_run "$tmp/out.txt" "$tmp/err.txt" "$wine" "$renamed/other.exe" run \
  --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" --out "$(winpath "$out")" \
  "$(winpath "$codes")")
check "host executable missing: no result file" test ! -e "$out"

# -- the stop button, pressed by the host during the first download
export WINEPREFIX=$(new_prefix windowed)
# Wine's null display driver lets windows be created without a display. The
# prefix must be fully set up first, or its setup overwrites the setting.
wine_run /dev/null /dev/null "$wine" wineboot --init
wine_wait
wine_run /dev/null /dev/null "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f
wine_wait
vantor "$host" run --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" \
  --out "$(winpath "$out")" --stop-after 1 "$(winpath "$codes")"
check "stop: result file written" test -f "$out"
check "stop: only the first book" test "$(grep -c . "$out" 2>/dev/null)" -eq 1
check "stop: no download after the stop" test "$(sed -n '/^downloads:/,/^result-file/p' "$tmp/out.txt" | grep -c '^http')" -eq 1

source "$(dirname "${BASH_SOURCE[0]}")/user_files.sh"

finish "wine e2e"
