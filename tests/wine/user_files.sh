# Sourced by e2e.sh (its helpers and folders): the user's files as Notepad
# saves them. A Setting.ini in UTF-8 (with and without a byte order mark) and
# a dictionary in UTF-16 LE or UTF-8 give the same record as their Shift-JIS
# forms, converted by the Windows code page functions. Their dictionary's
# first entry, in Hangul, which Shift-JIS lacks, is left out, not found as "??".

# user_files_run NAME SETTING-ENCODING DICTIONARY-ENCODING: the result in $tmp/user-NAME.txt
user_files_run() {
  local stage work
  stage=$(stage_host "user-$1" vantor.exe)
  work=$tmp/user-$1-work
  mkdir -p "$work"
  printf '\xEF\xBB\xBF' >"$stage/Setting.ini"
  [ "$2" = UTF-8-BOM ] || : >"$stage/Setting.ini"
  printf '[Entry]\r\nPurachaseSet=未購入\r\nReadSet=未読\r\n' | iconv -f UTF-8 -t "${2%-BOM}" >>"$stage/Setting.ini"
  { [ "$3" = CP932 ] || printf '|08|한국\r\n'; printf '|08|集英社（辞書）\r\n'; } |
    iconv -f UTF-8 -t "$3" >"$work/PubDB.dat"
  printf '978-4-08-873512-2\r\n' >"$tmp/user-codes.txt"
  vantor "$stage" run --replay "$(winpath "$src/sample/pages")" --work "$(winpath "$work")" \
    --out "$(winpath "$tmp/user-$1.txt")" "$(winpath "$tmp/user-codes.txt")"
}

user_files_run sjis CP932 CP932
for value in 集英社（辞書） 未購入 未読; do
  check "user files: $value from the Shift-JIS ones" \
    env LC_ALL=C grep -qF "$(printf %s "$value" | iconv -f UTF-8 -t CP932)" "$tmp/user-sjis.txt"
done
user_files_run utf UTF-8 UTF-16
check "user files: UTF-8 Setting.ini, UTF-16 dictionary as Shift-JIS" cmp -s "$tmp/user-utf.txt" "$tmp/user-sjis.txt"
user_files_run bom UTF-8-BOM UTF-8
check "user files: UTF-8 with BOM Setting.ini, UTF-8 dictionary as Shift-JIS" cmp -s "$tmp/user-bom.txt" "$tmp/user-sjis.txt"
