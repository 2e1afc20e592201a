#!/usr/bin/env bash
# wine-ctest.sh PRESET [ctest arguments]: runs the Wine tests of one Windows build
# (win32 or win64) in a fresh prefix of its own, on a private X server, and
# shuts both down afterwards. Used by make test; handy alone, for example
#   scripts/wine-ctest.sh win32 -R wine.window
set -uo pipefail
cd "$(dirname "$0")/.."
preset=$1
shift
. scripts/wine-session.sh

if [ "$preset" = win32 ] && [ "$WINE_RUNS_32BIT" != 1 ]; then
  # The build's other checks still run; its Wine tests are reported as skipped.
  echo "wine-ctest: this machine cannot execute 32-bit programs, so Wine runs no 32-bit Windows program here;"
  echo "wine-ctest: the Wine tests of the win32 build are skipped (the win64 build runs the same tests)."
  ctest --preset "$preset" -E '^wine\.' "$@"
  code=$?
  python3 scripts/write-report.py "build/$preset/results/wine-skipped.xml" skipped \
    $(ctest --preset "$preset" -N -R '^wine\.' | sed -n 's/^ *Test *#[0-9]*: //p')
  exit $code
fi

# Each run has its own prefix, removed at the end, so two runs never meet.
export WINEPREFIX="$PWD/build/$preset/wine-run.$$"
trap 'end_wine_session; stop_xvfb; rm -rf "$WINEPREFIX"' EXIT
start_xvfb || exit 1
fresh_prefix "$WINEPREFIX"
install_fixtures "$preset"
ctest --preset "$preset" "$@"
