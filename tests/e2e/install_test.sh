#!/usr/bin/env bash
# `cmake --install` into a temporary prefix: the installed program finds its
# plug-in and the bundled sample there (not in the build folder or the source
# tree), also once the prefix has moved, and the sample gives the expected
# records.
#   install_test.sh OKUZUKE TESTS_DIR SOURCE_DIR
set -u
okuzuke=$1
tests=$2
build=$(dirname "$okuzuke")
tmp=$(cd "$(mktemp -d)" && pwd -P)
trap 'rm -rf "$tmp"' EXIT
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/log" 2>&1
check "install succeeds" test $? -eq 0
check "program in bin/" test -x "$tmp/prefix/bin/okuzuke"
check "plug-in in lib/okuzuke/" test -f "$tmp/prefix/lib/okuzuke/libokuzuke.so"

# Moved after installing: every default must follow the program.
mv "$tmp/prefix" "$tmp/moved"
prefix=$tmp/moved
"$prefix/bin/okuzuke" run --help >"$tmp/help"
check "default plug-in: the installed one" grep -qF "(default: $prefix/lib/okuzuke/libokuzuke.so)" "$tmp/help"
check "default replay folder: the installed sample" grep -qF "$prefix/share/okuzuke/sample/pages)" "$tmp/help"

(cd "$tmp" && "$prefix/bin/okuzuke" run --out result.txt "$prefix/share/okuzuke/sample/codes.txt" >table 2>err)
check "sample run exits 0" test $? -eq 0
"$prefix/bin/okuzuke" show "$tmp/result.txt" >"$tmp/show"
check "sample records as expected" diff -u "$tests/e2e/expected/sample.show" "$tmp/show"

finish "install"
