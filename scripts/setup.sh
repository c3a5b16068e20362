#!/usr/bin/env bash
# Installs what building and testing okuzuke needs on Debian 12, if missing.
#   scripts/setup.sh           everything (native, Windows cross-compilers, Wine)
#   scripts/setup.sh --native  only what the native build and its tests need
set -eu

native=(cmake g++ make libgtest-dev libbenchmark-dev libcurl4-openssl-dev libpugixml-dev nlohmann-json3-dev dpkg-dev python3 clang-14 libclang-rt-14-dev)
windows=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 locales)

wanted=("${native[@]}")
[ "${1:-}" = "--native" ] || wanted+=("${windows[@]}")

missing=()
for pkg in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Wine gives code page 932 only under a Japanese locale that the system has.
if [ "${1:-}" != "--native" ] && ! locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if grep -qE '^# *ja_JP\.UTF-8' /etc/locale.gen 2>/dev/null; then
    $sudo sed -i 's/^# *ja_JP.UTF-8/ja_JP.UTF-8/' /etc/locale.gen
  elif ! grep -qE '^ja_JP\.UTF-8' /etc/locale.gen 2>/dev/null; then
    echo "ja_JP.UTF-8 UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
  fi
  $sudo locale-gen >/dev/null
fi
