#!/usr/bin/env bash
# Makes the Windows zip of a Windows build and checks it: its name
# (okuzuke-VERSION-win32.zip from the i686 build, -win64 from the x86_64 one),
# that it holds exactly the DLL, the guide and the three example dictionaries
# in one folder of its name, that the DLL is a stripped library for the
# build's processor, and that the texts are in the forms Windows programs read.
#
#   tests/package/check_zip.sh WIN-BUILD-FOLDER SOURCE-FOLDER
set -u
if [ $# -ne 2 ]; then
  echo "usage: $0 WIN-BUILD-FOLDER SOURCE-FOLDER" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
tmp=$(mktemp -d "${TMPDIR:-/tmp}/okuzuke-zip.XXXXXX")
trap 'rm -rf "$tmp"' EXIT
CHECKS_VERBOSE=1
source "$here/../lib/checks.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
# The toolchain's objdump tells which of the two builds this is.
objdump=$(sed -n 's/^CMAKE_OBJDUMP:FILEPATH=//p' "$build/CMakeCache.txt")
case $(basename "$objdump") in
  i686-w64-mingw32-*) bits=32 format=pei-i386 ;;
  x86_64-w64-mingw32-*) bits=64 format=pei-x86-64 ;;
  *) echo "check_zip: $build is no Windows build (objdump: $objdump)" >&2; exit 2 ;;
esac
name=okuzuke-$version-win$bits

(cd "$build" && cpack -G ZIP -B "$tmp/out" >"$tmp/log" 2>&1) || tail -n 20 "$tmp/log"
zip=$tmp/out/$name.zip
check "package named $name.zip" test -f "$zip"

listed=$(cmake -E tar tf "$zip" 2>/dev/null | grep -v '/$' | sort | tr '\n' ' ')
expected=$(printf "$name/%s\n" AuthDB.dat LabelsDB.dat PubDB.dat okuzuke-guide-ja.txt okuzuke.dll | sort | tr '\n' ' ')
check "holds exactly the DLL, the guide and the three dictionaries" test "$listed" = "$expected"

(cd "$tmp" && cmake -E tar xf "$zip")
dir=$tmp/$name
check "DLL for the build's processor ($format)" grep -q "file format $format" < <($objdump -f "$dir/okuzuke.dll")
check "DLL stripped: no debug sections" bash -c '! '"$objdump"' -h "$1" | grep -q "\.debug"' _ "$dir/okuzuke.dll"
check "DLL stripped: no symbol table" grep -q 'no symbols' < <($objdump -t "$dir/okuzuke.dll")

for dictionary in AuthDB.dat PubDB.dat LabelsDB.dat; do
  file=$dir/$dictionary
  check "$dictionary: code page 932, CR LF line ends only" python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
data.decode("cp932")
sys.exit(not data.endswith(b"\r\n") or data.count(b"\r") != data.count(b"\n") or data.count(b"\r\n") != data.count(b"\n"))' "$file"
  # The very bytes the unit tests read through the dictionary routines.
  check "$dictionary: as the build made it" cmp -s "$file" "$build/package/windows/$dictionary"
done

check "guide: as shipped (tests/package/check_guide.sh)" \
  env CHECKS_VERBOSE= "$here/check_guide.sh" "$dir/okuzuke-guide-ja.txt" "$src"

finish "windows zip"
