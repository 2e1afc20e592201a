#!/usr/bin/env bash
# make gallery: starts the gallery build of Nevrolt (NevroltGallery.exe, which
# wears the skin named by NEVROLT_GALLERY_SKIN) under Wine on a private X
# server once per skin, captures every page, and writes docs/skins/: one image
# per skin (its four pages) and a contact sheet of all 33.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1
. scripts/wine-session.sh
preset=$(runnable_preset)
{ cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" --target Nevrolt skin_gallery; } >/dev/null || exit 1

trap 'end_wine_session; stop_xvfb' EXIT
start_xvfb || exit 1
export WINEPREFIX="$PWD/build/$preset/wine-gallery"
fresh_prefix "$WINEPREFIX"
shots="$PWD/build/$preset/gallery"
rm -rf "$shots" && mkdir -p "$shots"
export NEVROLT_EXE="$PWD/build/$preset/resources/skin_engine/NevroltGallery.exe"
"$WINE" "build/$preset/tests/wine/skin_gallery.exe" "$(windows_path "$shots")" || { echo "capturing the skins failed"; exit 1; }

out=docs/skins
mkdir -p "$out"
font=$(fc-match -f '%{file}' 'DejaVu Sans')  # ImageMagick's default font may be missing
for n in $(seq -w 1 33); do
  name=$(sed -n 's/^name = //p' "resources/skins/skin$n.txt")
  montage "$shots/skin$n-page"{0,1,2,3}.bmp -tile 2x2 -geometry +6+6 -background '#9a9a9a' \
    -title "Skin $((10#$n)): $name" -font "$font" -pointsize 16 "$out/skin$n.png" || exit 1
  convert "$shots/skin$n-page0.bmp" -resize 50% "$shots/thumb$n.png" || exit 1
  labels+=(-label "$((10#$n)) $name" "$shots/thumb$n.png")
done
montage "${labels[@]}" -tile 6x -geometry +6+6 -font "$font" -pointsize 12 -background '#9a9a9a' "$out/contact-sheet.png" || exit 1
echo "wrote $out/skin01.png .. skin33.png and $out/contact-sheet.png"
