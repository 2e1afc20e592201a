#!/usr/bin/env bash
# make test: installs what is missing, builds every preset, runs the native unit
# tests and then the Wine integration tests of both Windows builds, and ends
# with one summary line.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
. scripts/wine-session.sh

for preset in native win32 win64; do
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; } || { echo "build of $preset failed"; exit 1; }
done

rm -rf build/native/results build/win32/results build/win64/results
failed=0
ctest --preset native || failed=1

trap 'end_wine_session; stop_xvfb' EXIT
start_xvfb
for preset in win32 win64; do
  export WINEPREFIX="$PWD/build/$preset/wine-run"
  fresh_prefix "$WINEPREFIX"
  system=$(system_folder "$preset")
  fixtures="build/$preset/tests/wine"
  for program in ping tracert netsh; do cp "$fixtures/recorder.exe" "$system/$program.exe"; done
  cp "$fixtures/fake_advpack.dll" "$system/advpack.dll"
  ctest --preset "$preset" || failed=1
  end_wine_session
done

python3 scripts/summarize-results.py build/native/results build/win32/results build/win64/results || failed=1
exit $failed
