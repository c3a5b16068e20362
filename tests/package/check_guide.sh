#!/usr/bin/env bash
# Checks the Japanese guide of the Windows package as shipped: the form
# Notepad reads (UTF-8 with a byte order mark, CR LF line ends only, every
# build variable filled in) and that it tells what the code does: every key
# of section [Entry] the plug-in reads with an example, the catalogue's
# interval limits, the three dictionaries, every site and the catalogue's
# address. A key, site or limit changed in the code fails here until the
# guide says so too.
#
#   tests/package/check_guide.sh SHIPPED-GUIDE SOURCE-FOLDER
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 SHIPPED-GUIDE SOURCE-FOLDER" >&2
  exit 2
fi
guide=$1
src=$(cd "$2" && pwd)
CHECKS_VERBOSE=${CHECKS_VERBOSE-1}
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

check "guide: begins with the UTF-8 byte order mark" test "$(head -c 3 "$guide" | od -An -tx1 | tr -d ' ')" = efbbbf
check "guide: valid UTF-8" iconv -f UTF-8 -t UTF-8 -o /dev/null "$guide"
check "guide: CR LF line ends only" python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
sys.exit(not data.endswith(b"\r\n") or data.count(b"\r") != data.count(b"\n") or data.count(b"\r\n") != data.count(b"\n"))' "$guide"
text=$(tr -d '\r' <"$guide")
check "guide: no build variable left unfilled" bash -c '! grep -qP "@[A-Z_]+@" <<<"$1"' _ "$text"
version=$(sed -n 's/^project(okuzuke VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
check "guide: names version $version" grep -qF "okuzuke $version" <<<"$text"

# Every key the settings code asks for: "Key" passed to read(...) or IniValue(...).
mapfile -t keys < <(grep -oP '"\K[A-Z][A-Za-z]+(?="\s*[,)])' "$src/src/core/settings.cpp" | sort -u)
check "settings: the keys were found in the code (${#keys[@]})" test "${#keys[@]}" -ge 5
for key in "${keys[@]}"; do
  check "guide: key $key with an example" grep -qP "^\s*例:\s+$key=" <<<"$text"
  check "guide: key $key in the Setting.ini example" grep -qP "^  $key=" <<<"$text"
done
interval=$(grep -oP 'int intervalMs = \K[0-9]+' "$src/src/core/settings.h")
longest=$(grep -oP 'kMaxFallbackIntervalMs = \K[0-9]+' "$src/src/core/settings.h")
check "guide: FallbackInterval default $interval" grep -qP "既定値: $interval\$" <<<"$text"
check "guide: FallbackInterval at most $longest" grep -qF "$longest" <<<"$text"

for file in AuthDB.dat PubDB.dat LabelsDB.dat; do
  check "guide: $file" grep -qF "$file" <<<"$text"
done

mapfile -t sites < <(grep -oP 'string_view k\w+ = "\K[^"]+' "$src/src/publishers/sites.h")
check "sites: found in the code (${#sites[@]})" test "${#sites[@]}" -ge 10
for site in "${sites[@]}"; do
  check "guide: site $site" grep -qP "\Q$site\E(\s|\)|$)" <<<"$text"
done
# The catalogue's addresses: the search, then what one code and a batch add.
search=$(sed -n '/kSearch =/,/;$/p' "$src/src/catalogue/request.cpp" | grep -oP '^\s*(constexpr.*= )?"\K[^"]*' | tr -d '\n')
check "sites: the catalogue's search in the code" test -n "$search"
check "guide: the catalogue's address for one code" grep -qF "$search&maximumRecords=1&query=isbn%3D" <<<"$text"
check "guide: the catalogue's address for a batch" grep -qF "$search&maximumRecords=200&query=isbn%3D" <<<"$text"

finish "guide"
