#!/usr/bin/env bash
# The main job on the bundled sample: builds okuzuke and looks up the sample
# codes offline (pages replayed from sample/pages), printing the records.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh --native
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)" --target okuzuke okuzuke_cli >/dev/null
out=$(mktemp -d)/okuzuke-result.txt
build/release/okuzuke run --fallback ndl --replay sample/pages --out "$out" sample/codes.txt
echo "result file: $out (see it field by field with: build/release/okuzuke show $out)"
