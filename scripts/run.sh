#!/usr/bin/env bash
# make run: installs what is missing, builds the shipped 32-bit Nevrolt.exe and
# starts it under Wine (the 64-bit build where this machine cannot run 32-bit
# programs). With a display it opens there. Without one it runs on a private X
# server, saves each page as build/screenshots/page-N.png, closes the window and
# exits with the program's exit code.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
. scripts/wine-session.sh
preset=$(runnable_preset)
[ "$preset" = win32 ] || echo "make run: this machine cannot run 32-bit programs; running the 64-bit build"
{ cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; } || exit 1

export WINEPREFIX="$PWD/build/wine/run"
fresh_prefix "$WINEPREFIX"
mkdir -p build/run
cp "build/$preset/Nevrolt.exe" build/run/

trap 'end_wine_session; stop_xvfb' EXIT
if [ -n "${DISPLAY:-}" ]; then
  "$WINE" build/run/Nevrolt.exe
  exit $?
fi

start_xvfb || exit 1
rm -rf build/screenshots
mkdir -p build/screenshots
NEVROLT_EXE="$PWD/build/run/Nevrolt.exe" "$WINE" "build/$preset/tests/wine/screenshot_tour.exe" \
  "$(windows_path "$PWD/build/run")" "$(windows_path "$PWD/build/screenshots")"
code=$?
for bitmap in build/screenshots/page-*.bmp; do
  [ -f "$bitmap" ] || continue
  convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
done
ls build/screenshots/*.png 2>/dev/null
exit $code
