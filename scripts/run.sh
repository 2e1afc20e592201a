#!/usr/bin/env bash
# make run: installs what is missing, builds the shipped 32-bit Nevrolt.exe and
# starts it under Wine (the 64-bit build where this machine cannot run 32-bit
# programs). With a display it opens there. Without one it runs on a private X
# server, saves each page as build/screenshots/page-N.png, and again at 150 %
# (144 DPI) as build/screenshots/dpi144/page-N.png, closes the window and exits
# with the program's exit code.
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

# tour OUTPUT: shows every page of build/run/Nevrolt.exe and saves OUTPUT/page-N.png.
tour() {
  mkdir -p "$1"
  NEVROLT_EXE="$PWD/build/run/Nevrolt.exe" "$WINE" "build/$preset/tests/wine/screenshot_tour.exe" \
    "$(windows_path "$PWD/build/run")" "$(windows_path "$PWD/$1")"
  local code=$?
  for bitmap in "$1"/page-*.bmp; do
    [ -f "$bitmap" ] || continue
    convert "$bitmap" "${bitmap%.bmp}.png" && rm "$bitmap"
  done
  return $code
}

tour build/screenshots
code=$?
# The same pages at 150 % (144 DPI), in a prefix of that scale.
end_wine_session
export WINEPREFIX="$PWD/build/wine/run144"
fresh_prefix "$WINEPREFIX"
set_prefix_dpi 144
tour build/screenshots/dpi144
code144=$?
ls build/screenshots/*.png build/screenshots/dpi144/*.png 2>/dev/null
[ $code -ne 0 ] && exit $code
exit $code144
