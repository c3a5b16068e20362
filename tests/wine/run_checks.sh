#!/usr/bin/env bash
# Runs every Windows check program (*_check.exe) of a Windows x86_64 build under
# Wine, with the Japanese locale so that the ANSI code page is 932.
#
#   tests/wine/run_checks.sh WIN_BUILD_DIR
#
# Each run gets a fresh Wine prefix in a temporary folder, removed at the end
# (the first start of Wine in it takes some seconds). Exits non-zero when a
# check fails or when there is none to run.
set -u

if [ $# -ne 1 ]; then
  echo "usage: $0 WIN_BUILD_DIR" >&2
  exit 2
fi
build_dir=$1
source "$(dirname "${BASH_SOURCE[0]}")/../lib/wine.sh"

if [ ! -x "$wine" ]; then
  echo "run_checks: $wine not found (install wine64)" >&2
  exit 2
fi

# Only LC_ALL=ja_JP.UTF-8 gives Wine code page 932 (LANG alone leaves 1252),
# and only when the system has that locale.
if ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  echo "run_checks: generating the ja_JP.UTF-8 locale"
  if ! command -v locale-gen >/dev/null; then
    apt-get install -y locales >/dev/null || { echo "run_checks: cannot install locales" >&2; exit 2; }
  fi
  if ! grep -qE '^ja_JP\.UTF-8' /etc/locale.gen 2>/dev/null; then
    if grep -qE '^# *ja_JP\.UTF-8' /etc/locale.gen 2>/dev/null; then
      sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
    else
      echo "ja_JP.UTF-8 UTF-8" >> /etc/locale.gen
    fi
  fi
  locale-gen >/dev/null || { echo "run_checks: locale-gen failed" >&2; exit 2; }
fi

shopt -s nullglob
checks=("$build_dir"/tests/*_check.exe)
if [ ${#checks[@]} -eq 0 ]; then
  echo "run_checks: no *_check.exe in $build_dir/tests" >&2
  exit 1
fi

prefix=$(mktemp -d "${TMPDIR:-/tmp}/okuzuke-wine.XXXXXX")
cleanup() {
  # Stop the wine server of our own prefix before its folder goes.
  WINEPREFIX="$prefix" timeout 30 "$wineserver" -k 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT

export WINEPREFIX="$prefix" WINEDEBUG=-all LC_ALL=ja_JP.UTF-8

failed=0
for check in "${checks[@]}"; do
  name=$(basename "$check" .exe)
  echo "== $name"
  wine_run "$prefix/out.txt" "$prefix/err.txt" "$wine" "$check"
  status=$?
  tr -d '\r' <"$prefix/out.txt"
  grep -v '^wine: ' "$prefix/err.txt" >&2
  if [ "$status" -ne 0 ]; then
    echo "run_checks: $name failed (exit $status)"
    failed=$((failed + 1))
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "run_checks: $failed of ${#checks[@]} check programs failed"
  exit 1
fi
echo "run_checks: all ${#checks[@]} check programs passed"
