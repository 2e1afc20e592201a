#!/usr/bin/env bash
# fuzz.sh SECONDS: builds the skin parser's libFuzzer target with clang under
# AddressSanitizer and runs it for that long, seeded with the 33 built skins.
# A crash, a leak or a sanitizer report fails the run. make test runs it briefly,
# make fuzz for longer; findings are kept in build/fuzz/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus" "$out/findings"
clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I. \
  resources/skin_engine/skin_fuzz.cpp resources/skin_engine/skin_format.cpp -o "$out/skin_fuzz" || exit 1
python3 resources/skins/compile_skins.py "$out/corpus" resources/skins/skin*.txt || exit 1
"$out/skin_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix="$out/findings/" "$out/corpus" 2>"$out/last-run.log"
status=$?
tail -n 12 "$out/last-run.log"
[ $status -eq 0 ] || echo "skin parser fuzzing failed: see $out/last-run.log and $out/findings/"
exit $status
