#!/usr/bin/env bash
# Checks the shipped 32-bit plug-in: an i386 PE library exporting exactly
# funcGetInfo and DownlaodFunc (undecorated) and importing only system DLLs
# (shlwapi for the memory stream the catalogue's XML reader reads from).
#
#   tests/wine/check_exports.sh path/to/okuzuke.dll
set -u
dll=$1
objdump=i686-w64-mingw32-objdump
CHECKS_VERBOSE=1
source "$(dirname "${BASH_SOURCE[0]}")/../lib/checks.sh"

headers=$($objdump -f "$dll")
table=$($objdump -p "$dll")
exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | grep -P '^\t\[' | grep -oP '\]\s+\K\S+' | sort | tr '\n' ' ')
imports=$(grep -oP 'DLL Name: \K\S+' <<<"$table" | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')

check "machine type is i386" grep -q 'file format pei-i386' <<<"$headers"
check "PE32 (32-bit) optional header" grep -qP 'Magic\s+010b' <<<"$table"
check "exports exactly DownlaodFunc and funcGetInfo" test "$exports" = "DownlaodFunc funcGetInfo "
check "imports only system DLLs" bash -c '
  for d in '"$imports"'; do
    case $d in kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|msvcrt.dll|advapi32.dll|shlwapi.dll) ;;
      *) echo "  unexpected import: $d"; exit 1;;
    esac
  done'
# The host calls both with the standard Windows calling convention, in which
# the callee pops its arguments: DownlaodFunc takes 3 (12 bytes), funcGetInfo
# 6 (a 16-bit size still takes a 4-byte slot: 24 bytes). Every return of each
# must be "ret" with that count, or the host's stack would be off after a call.
image_base=$(grep -oP '^ImageBase\s+\K[0-9a-f]+' <<<"$table")
export_rva() {  # export_rva NAME: the function's address relative to the image
  local ordinal
  ordinal=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | grep -P "\\s$1\$" | grep -oP '^\t\[\s*\K[0-9]+')
  sed -n '/^Export Address Table -- Ordinal Base/,/^$/p' <<<"$table" |
    grep -P "^\t\[\s*$ordinal\]" | grep -oP '\]\s+\K[0-9a-f]+(?= Export RVA)'
}
returns_of() {  # returns_of NAME: each return instruction of the exported function
  local start
  start=$(printf '0x%x' $((0x$image_base + 0x$(export_rva "$1"))))
  $objdump -d --no-show-raw-insn --start-address="$start" --stop-address=$((start + 4096)) "$dll" |
    awk 'NR > 1 && /^[0-9a-f]+ <.*>:$/ { if (seen++) exit } /\tret/ { sub(/^.*\tret[lw]? */, "ret "); print }'
}
check "DownlaodFunc returns with ret 0xc" test "$(returns_of DownlaodFunc | sort -u)" = 'ret $0xc'
check "funcGetInfo returns with ret 0x18" test "$(returns_of funcGetInfo | sort -u)" = 'ret $0x18'

finish "exports"
