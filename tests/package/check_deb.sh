#!/usr/bin/env bash
# Makes the .deb of a native build and checks it: its name, the dependencies
# it declares, and that the program unpacked from it (anywhere, no dpkg -i)
# runs the bundled sample with the plug-in and sample it ships.
#
#   tests/package/check_deb.sh BUILD-FOLDER SOURCE-FOLDER
set -u
build=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
tmp=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$tmp"' EXIT
CHECKS_VERBOSE=1
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$tmp/okuzuke_${version}_$(dpkg --print-architecture).deb
(cd "$build" && cpack -G DEB -B "$tmp" >"$tmp/log" 2>&1) || tail -n 20 "$tmp/log"
check "package named okuzuke_VERSION_ARCH.deb" test -f "$deb"

depends=$(dpkg-deb -f "$deb" Depends 2>/dev/null)
echo "Depends: $depends"
for package in libc6 libstdc++6 libcurl4; do
  check "depends on $package" grep -qxF "$package" < <(tr ',' '\n' <<<"$depends" | awk '{print $1}')
done

dpkg-deb -x "$deb" "$tmp/root" 2>/dev/null
usr=$tmp/root/usr
check "program in /usr/bin" test -x "$usr/bin/okuzuke"
check "plug-in in /usr/lib/okuzuke" test -f "$usr/lib/okuzuke/libokuzuke.so"
(cd "$tmp" && "$usr/bin/okuzuke" run --out result.txt "$usr/share/okuzuke/sample/codes.txt" >/dev/null 2>&1)
check "the unpacked program runs its sample" test $? -eq 0
"$usr/bin/okuzuke" show "$tmp/result.txt" >"$tmp/show" 2>/dev/null
check "sample records as expected" diff -q "$src/tests/e2e/expected/sample.show" "$tmp/show"

finish "deb package"
