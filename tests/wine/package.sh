#!/usr/bin/env bash
# The Windows package under Wine, used as its guide says: the zip unpacked,
# the host beside okuzuke.dll with the guide's example Setting.ini, the
# example dictionaries in the work folder; the sample codes looked up through
# our stand-in host vantor.exe. The x86_64 zip stands in for the i686 one
# (same sources and packaging; 32-bit programs cannot run on this machine).
#
#   tests/wine/package.sh WIN64-BUILD-FOLDER SOURCE-FOLDER
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 WIN64-BUILD-FOLDER SOURCE-FOLDER" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/okuzuke-wine-package.XXXXXX")
cleanup() {
  WINEPREFIX="$tmp/prefix" timeout 30 "$wineserver" -k 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

CHECKS_VERBOSE=1
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wine.sh"

winpath() { echo "Z:${1//\//\\}"; }
utf8() { iconv -f CP932 -t UTF-8 "$1" 2>/dev/null | tr -d '\r'; }

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=okuzuke-$version-win64
(cd "$build" && cpack -G ZIP -B "$tmp/zip" >"$tmp/log" 2>&1) || tail -n 20 "$tmp/log"
check "package named $name.zip" test -f "$tmp/zip/$name.zip"
(cd "$tmp" && cmake -E tar xf "zip/$name.zip")
unpacked=$tmp/$name
check "unpacked: okuzuke.dll" test -f "$unpacked/okuzuke.dll"

# Installed as the guide says: the DLL beside the host, Setting.ini there too
# (the guide's example as written, saved in code page 932), the dictionaries
# in the work folder.
cp "$build/vantor.exe" "$unpacked/"
tr -d '\r' <"$unpacked/okuzuke-guide-ja.txt" |
  awk '/このまま Setting.ini として使えます/ { on = 1; next }
       on && /^  / { sub(/^  /, ""); print; seen = 1; next }
       on && seen { exit }' |
  iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$unpacked/Setting.ini"
check "the guide's Setting.ini example found" grep -q '^\[Entry\]' "$unpacked/Setting.ini"
work=$tmp/work
mkdir -p "$work"
cp "$unpacked"/*.dat "$work/"

export WINEDEBUG=-all LC_ALL=ja_JP.UTF-8 WINEPREFIX=$tmp/prefix
mkdir -p "$WINEPREFIX"
out=$tmp/result.txt
(cd "$unpacked" && wine_run "$tmp/out.txt" "$tmp/err.txt" "$wine" "$unpacked/vantor.exe" run \
  --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" --out "$(winpath "$out")" \
  "$(winpath "$src/tests/wine/codes.txt")")
check "run: the host ran the unpacked plug-in" test $? -eq 0
check "run: result file written" test -f "$out"
# One record for each book a publisher's page gives, and the code of no
# publisher from the catalogue (Fallback=ndl in the example).
expected=$(( $(grep -c . "$src/tests/wine/expected_isbns.txt") + 1 ))
check "run: $expected records" test "$(grep -c . "$out" 2>/dev/null)" -eq "$expected"
check "run: 68 columns in every record" test -z "$(awk -F, 'NF != 68' "$out" 2>/dev/null)" -a -s "$out"
check "Setting.ini: the catalogue was asked" grep -q '^https://ndlsearch.ndl.go.jp/' "$tmp/out.txt"
check "Setting.ini: ReadSet=未読 in every record" test -z "$(utf8 "$out" | awk -F, '$47 != "未読"')" -a -s "$out"

record() { utf8 "$out" | grep "^$1,"; }  # record ISBN: its line in UTF-8
check "AuthDB.dat: 緒方ハルキ gets the reading" grep -q ',緒方ハルキ,ｵｶﾞﾀﾊﾙｷ,' < <(record 9784091274557)
check "AuthDB.dat: 藤宮 湊 becomes 藤宮湊" grep -q ',藤宮湊,ﾌｼﾞﾐﾔﾐﾅﾄ,' < <(record 9784861276125)
check "PubDB.dat: 8402 is アスキー・メディアワークス" grep -q ',アスキー・メディアワークス,電撃文庫,' < <(record 9784840241236)
check "LabelsDB.dat: ジャンプ・コミックス becomes ジャンプコミックス" grep -q ',集英社,ジャンプコミックス,' < <(record 9784088735122)
check "PubDB.dat: the catalogue's book gets 新潮社" grep -q ',新潮社,' < <(record 9784101234564)

finish "wine package"
