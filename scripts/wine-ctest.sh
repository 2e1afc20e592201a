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

# Each run has its own prefix, removed at the end, so two runs never meet.
export WINEPREFIX="$PWD/build/$preset/wine-run.$$"
trap 'end_wine_session; stop_xvfb; rm -rf "$WINEPREFIX"' EXIT
start_xvfb
fresh_prefix "$WINEPREFIX"
system=$(system_folder "$preset")
fixtures="build/$preset/tests/wine"
# Wine would run its own builtin programs in place of these files without the override.
for program in ping tracert netsh; do
  cp "$fixtures/recorder.exe" "$system/$program.exe"
  wine reg add 'HKCU\Software\Wine\DllOverrides' /v "$program.exe" /d native /f >/dev/null 2>&1
done
cp "$fixtures/fake_advpack.dll" "$system/advpack.dll"
ctest --preset "$preset" "$@"
