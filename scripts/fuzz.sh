#!/usr/bin/env bash
# Builds the fuzz targets (CMake preset "fuzz": clang, libFuzzer, ASan + UBSan)
# and runs each for a bounded time on its corpus: the committed one
# (tests/fuzz/corpus/NAME) and seeds made from the fixture pages. The scraper
# target gets a dictionary of every publisher's markers, the catalogue target
# one of the answers' tags.
#
#   scripts/fuzz.sh [SECONDS-PER-TARGET] [TARGET...]   (default 20 s, every target)
#
# A finding is saved as build/fuzz/findings/NAME-*; add it to
# tests/fuzz/corpus/NAME (and a test) once mended. Exits non-zero on any.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-20}
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(scrape lookup_run text charset title credits release_date book_size
  dictionaries settings record catalogue)

command -v clang++-14 >/dev/null || { echo "fuzz: clang++-14 is missing (apt-get install clang-14)" >&2; exit 2; }
log=build/fuzz.log
mkdir -p build
if ! { cmake --preset fuzz && cmake --build --preset fuzz -j"$(nproc)"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  exit 1
fi

work=build/fuzz/run
rm -rf "$work"
mkdir -p "$work" build/fuzz/findings
python3 scripts/gen_fuzz_dict.py "$work/markers.dict"
# Seeds from the fixture pages: each page for its own scraper, the UTF-8 and
# EUC-JP pages for the converters, every page for the whole-text routines.
python3 - "$work" <<'PY'
import pathlib, sys
work = pathlib.Path(sys.argv[1])
pages = sorted(pathlib.Path('tests/fixtures/pages').glob('*/*.html'))
for name in ('scrape', 'charset', 'text'):
    (work / ('seeds-' + name)).mkdir()
for n, page in enumerate(pages):
    data = page.read_bytes()
    key = page.parent.name
    (work / 'seeds-scrape' / f'{key}-{page.stem}').write_bytes(key.encode() + b'\0' + data)
    (work / 'seeds-charset' / f'{n}-utf8').write_bytes(b'\0' + data)
    (work / 'seeds-charset' / f'{n}-euc').write_bytes(b'\2' + data)
    (work / 'seeds-text' / f'{n}-strip').write_bytes(b'\0' + data)
PY

failed=0
printf '%-14s %12s %10s %14s %s\n' target executions "exec/s" "slowest (s)" result
for target in "${targets[@]}"; do
  exe=build/fuzz/tests/fuzz/fuzz_$target
  corpus=$work/corpus-$target
  mkdir -p "$corpus"
  seeds=(tests/fuzz/corpus/"$target")
  [ -d "$work/seeds-$target" ] && seeds+=("$work/seeds-$target")
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
    -artifact_prefix="build/fuzz/findings/$target-")
  [ "$target" = scrape ] && options+=(-dict="$work/markers.dict")
  [ "$target" = catalogue ] && options+=(-dict=tests/fuzz/catalogue.dict)
  timeout -k 10 $((seconds + 120)) "$exe" "${options[@]}" "$corpus" "${seeds[@]}" \
    >"$work/$target.log" 2>&1
  status=$?
  runs=$(grep -oP 'stat::number_of_executed_units:\s*\K\d+' "$work/$target.log")
  rate=$(grep -oP 'stat::average_exec_per_sec:\s*\K\d+' "$work/$target.log")
  slowest=$(grep -oP 'stat::slowest_unit_time_sec:\s*\K\d+' "$work/$target.log")
  result=ok
  if [ "$status" -ne 0 ]; then
    result="FINDING (exit $status), see $work/$target.log"
    failed=$((failed + 1))
    grep -m 3 -E 'ERROR|SUMMARY|Test unit written' "$work/$target.log" | sed 's/^/    /'
  fi
  printf '%-14s %12s %10s %14s %s\n' "$target" "${runs:-?}" "${rate:-?}" "${slowest:-?}" "$result"
done
[ "$failed" -eq 0 ]
