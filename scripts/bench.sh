#!/usr/bin/env bash
# make bench: builds and runs every benchmark, native ones directly and Windows
# ones under Wine, and prints each figure beside its goal.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
. scripts/wine-session.sh
windows=$(runnable_preset)
for preset in native "$windows"; do
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; } >/dev/null || exit 1
done
trap 'end_wine_session; stop_xvfb' EXIT
for program in build/native/bench/bench_*; do
  [ -x "$program" ] && "$program"
done
start_xvfb || exit 1
export WINEPREFIX="$PWD/build/$windows/wine-bench"
fresh_prefix "$WINEPREFIX"
for program in build/"$windows"/bench/wine/bench_*.exe; do
  [ -f "$program" ] && scripts/bench-wine-one.sh "$program"
done
exit 0
