#!/usr/bin/env bash
# Checks the shipped 32-bit plug-in: an i386 PE library exporting exactly
# funcGetInfo and DownlaodFunc (undecorated) and importing only system DLLs.
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
    case $d in kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|msvcrt.dll|advapi32.dll) ;;
      *) echo "  unexpected import: $d"; exit 1;;
    esac
  done'
finish "exports"
