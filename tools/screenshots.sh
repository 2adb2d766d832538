#!/usr/bin/env bash
# Renders the game's screens to docs/screenshots/<screen>.png, from the real
# program on the offscreen platform with the default pictures.
#
#   tools/screenshots.sh                      every screen the program has
#   tools/screenshots.sh frmStart frmSpiel    only these
#
# Set SCALE=2 for pictures at twice the size (high-DPI rendering).
# Set TAFEL=1920x1080 for the game at a board of that size, as "kieselblick
# --tafel" shows it there: the whole board in each picture, written to
# docs/screenshots/tafel/ (by default the four screens the README shows).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
build="${BUILD_DIR:-build/screenshots}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target kb_bildschirmfotos_spiel kb_bildschirmfotos_bilder kb_bildschirmfotos_uebersicht
export QT_QPA_PLATFORM=offscreen
export QT_SCALE_FACTOR="${SCALE:-1}"
if [ -n "${TAFEL:-}" ]; then
  [ $# -gt 0 ] || set -- frmStart frmSchwierigkeit frmSchw1 frmAusw2
  exec "$build/kb_bildschirmfotos_spiel" --ordner "$PWD/assets" --ziel "$PWD/docs/screenshots/tafel" \
    --tafel "$TAFEL" "$@"
fi
# The companion's window (kieselblick-bilder*.png) and its class overview
# (klassenuebersicht.png) along with the whole set.
if [ $# -eq 0 ]; then
  "$build/kb_bildschirmfotos_bilder" --bilder "$PWD/assets/bilder" --share "$PWD/assets" --ziel "$PWD/docs/screenshots"
  "$build/kb_bildschirmfotos_uebersicht" --bilder "$PWD/assets/bilder" --ziel "$PWD/docs/screenshots"
fi
exec "$build/kb_bildschirmfotos_spiel" --ordner "$PWD/assets" --ziel "$PWD/docs/screenshots" "$@"
