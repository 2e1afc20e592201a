#!/usr/bin/env bash
# make run: installs what is missing, builds the shipped 32-bit Nevrolt.exe and
# starts it under Wine. With a display it opens there. Without one it runs on a
# private X server, saves each page as build/screenshots/page-N.png, closes the
# window and exits with the program's exit code.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
{ cmake --preset win32 >/dev/null && cmake --build --preset win32; } || exit 1
. scripts/wine-session.sh

export WINEPREFIX="$PWD/build/wine/run"
fresh_prefix "$WINEPREFIX"
mkdir -p build/run
cp build/win32/Nevrolt.exe build/run/

trap 'end_wine_session; stop_xvfb' EXIT
if [ -n "${DISPLAY:-}" ]; then
  wine build/run/Nevrolt.exe
  exit $?
fi

start_xvfb
rm -rf build/screenshots
mkdir -p build/screenshots
NEVROLT_EXE="$PWD/build/run/Nevrolt.exe" wine build/win32/tests/wine/screenshot_tour.exe \
  "$(winepath -w "$PWD/build/run")" "$(winepath -w "$PWD/build/screenshots")"
code=$?
for bitmap in build/screenshots/page-*.bmp; do
  [ -f "$bitmap" ] || continue
  convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
ls build/screenshots/*.png 2>/dev/null
exit $code
