#!/usr/bin/env bash
# Installs what is missing, builds everything (native debug, native with
# AddressSanitizer + UndefinedBehaviorSanitizer, release with benchmarks,
# Windows i686 and x86_64) and runs every test, native and under Wine.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh || exit 1

jobs=$(nproc)
passed=0
failed=0
# No step may hang the run: each has a time limit (the tests inside it have
# their own, shorter ones).
step_limit=${STEP_LIMIT:-1500}
step() {  # step NAME COMMAND...
  local name=$1
  shift
  echo "==== $name"
  if timeout -k 30 "$step_limit" bash -c '"$@"' "$name" "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "==== FAILED: $name"
  fi
}
build() {  # build PRESET; the log is shown only when the build fails
  local log=build/$1.log
  mkdir -p build
  if cmake --preset "$1" >"$log" 2>&1 && cmake --build --preset "$1" -j"$jobs" >>"$log" 2>&1; then
    return 0
  fi
  tail -n 60 "$log"
  return 1
}
export -f build
export jobs

step "build native debug" build debug
step "unit and end-to-end tests (debug)" ctest --test-dir build/debug --output-on-failure -j"$jobs"
step "build native asan+ubsan" build asan
step "unit and end-to-end tests (asan+ubsan)" \
  env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/asan --output-on-failure -j"$jobs"
step "build release with benchmarks" build release
step "Linux .deb package" tests/package/check_deb.sh build/release "$root"
step "benchmarks run (smoke)" build/release/bench/okuzuke_bench --benchmark_min_time=0.01 \
  --benchmark_filter=. >/dev/null
step "fuzzing (every target, 20 s each)" scripts/fuzz.sh 20
step "build Windows i686 (the shipped plug-in)" build win32
step "i686 export table" tests/wine/check_exports.sh build/win32/okuzuke.dll
step "Windows package (i686 zip)" tests/package/check_zip.sh build/win32 "$root"
step "build Windows x86_64 (for Wine)" build win64
step "Wine checks" tests/wine/run_checks.sh build/win64
step "Wine end-to-end" tests/wine/e2e.sh build/win64 "$root"
step "Wine: the Windows package (x86_64 zip)" tests/wine/package.sh build/win64 "$root"

echo "okuzuke: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
