#!/usr/bin/env bash
# Regenerates the default picture folder assets/bilder/ and its licence file.
#
# The drawings are the flat-style emoji of the MIT-licensed npm package
# "fluentui-emoji". The script installs a pinned version of that package into a
# temporary folder, puts each chosen drawing centred on a white rounded card
# with a thin soft grey border, and renders the result with rsvg-convert to
# assets/bilder/<Wort>.png. The game takes the file name without ".png" as the
# word a child reads, so every name below is a German noun spelled exactly as
# it is written (capital letter, umlauts, ß).
#
# Needs: bash, npm, rsvg-convert (librsvg2-bin); ImageMagick's convert is used
# to shrink the files a little when it is there.
#
# Usage: tools/make-pictures.sh
#   EMOJI_PACKAGE_DIR=/path/to/node_modules/fluentui-emoji tools/make-pictures.sh
#   uses an already installed copy of the package instead of running npm.

set -euo pipefail
export LC_ALL=C.UTF-8

readonly PACKAGE=fluentui-emoji
readonly PACKAGE_VERSION=1.3.0

# Size of a finished picture, and of the drawing inside its card, in pixels.
readonly CANVAS=320
readonly DRAWING=232

# Word and the flat drawing that shows it (file name in icons/flat without
# ".svg"). Each drawing was picked so that a six-year-old names it with exactly
# this word, and no two pictures are easy to mix up (for example there is no
# egg next to the potato, no teddy next to the bear).
readonly PICTURES=(
    "Affe monkey"
    "Anker anchor"
    "Apfel red-apple"
    "Auto automobile"
    "Ball soccer-ball"
    "Banane banana"
    "Bär bear"
    "Baum deciduous-tree"
    "Besen broom"
    "Bett bed"
    "Biene honeybee"
    "Birne pear"
    "Blatt maple-leaf"
    "Blume tulip"
    "Brezel pretzel"
    "Brief envelope"
    "Brille glasses"
    "Brot bread"
    "Buch closed-book"
    "Bus bus"
    "Delfin dolphin"
    "Eimer bucket"
    "Eis soft-ice-cream"
    "Elefant elephant"
    "Ente duck"
    "Erdbeere strawberry"
    "Eule owl"
    "Fahrrad bicycle"
    "Feuer fire"
    "Fisch fish"
    "Flugzeug airplane"
    "Frosch frog"
    "Fuchs fox"
    "Geige violin"
    "Geschenk wrapped-gift"
    "Giraffe giraffe"
    "Gitarre guitar"
    "Glocke bell"
    "Gurke cucumber"
    "Hai shark"
    "Hammer hammer"
    "Handschuh gloves"
    "Hase rabbit"
    "Haus house"
    "Hose jeans"
    "Hubschrauber helicopter"
    "Huhn chicken"
    "Hund dog"
    "Hut top-hat"
    "Igel hedgehog"
    "Kaktus cactus"
    "Kamel camel"
    "Känguru kangaroo"
    "Kartoffel potato"
    "Karotte carrot"
    "Käse cheese-wedge"
    "Katze cat"
    "Kerze candle"
    "Kirsche cherries"
    "Kleid dress"
    "Krokodil crocodile"
    "Krone crown"
    "Kuchen shortcake"
    "Kuh cow"
    "Küken baby-chick"
    "Löffel spoon"
    "Löwe lion"
    "Luftballon balloon"
    "Mais ear-of-corn"
    "Marienkäfer lady-beetle"
    "Maus mouse"
    "Mond crescent-moon"
    "Paprika bell-pepper"
    "Pferd horse"
    "Pilz mushroom"
    "Pinguin penguin"
    "Pizza pizza"
    "Rakete rocket"
    "Regenbogen rainbow"
    "Regenschirm umbrella"
    "Ring ring"
    "Schaf ewe"
    "Schere scissors"
    "Schiff ship"
    "Schildkröte turtle"
    "Schlange snake"
    "Schlitten sled"
    "Schlüssel key"
    "Schmetterling butterfly"
    "Schnecke snail"
    "Schneemann snowman-without-snow"
    "Schuh running-shoe"
    "Schwein pig"
    "Sonne sun"
    "Spinne spider"
    "Stern star"
    "Stift pencil"
    "Stuhl chair"
    "Tasse hot-beverage"
    "Tiger tiger"
    "Tomate tomato"
    "Traktor tractor"
    "Trommel drum"
    "Trompete trumpet"
    "Tür door"
    "Uhr mantelpiece-clock"
    "Vogel bird"
    "Wal whale"
    "Wolke cloud"
    "Zahnbürste toothbrush"
    "Zebra zebra"
    "Zelt tent"
    "Zitrone lemon"
    "Zug locomotive"
    "Zwiebel onion"
)

die() {
    echo "make-pictures: $*" >&2
    exit 1
}

script_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo_root=$(cd "$script_dir/.." && pwd)
out_dir="$repo_root/assets/bilder"
licence_file="$repo_root/assets/bilder-LICENSE.txt"

command -v rsvg-convert >/dev/null || die "rsvg-convert is missing (apt-get install librsvg2-bin)"
have_convert=no
if command -v convert >/dev/null && convert -version 2>/dev/null | grep -q ImageMagick; then
    have_convert=yes
fi

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/make-pictures.XXXXXX")
trap 'rm -rf "$work_dir"' EXIT

# Find or install the drawings.
if [[ -n "${EMOJI_PACKAGE_DIR:-}" ]]; then
    package_dir=$EMOJI_PACKAGE_DIR
else
    command -v npm >/dev/null || die "npm is missing (apt-get install npm)"
    echo "Installing $PACKAGE@$PACKAGE_VERSION into $work_dir ..."
    npm install --prefix "$work_dir/npm" --no-audit --no-fund --no-save --loglevel=error \
        "$PACKAGE@$PACKAGE_VERSION" >/dev/null
    package_dir="$work_dir/npm/node_modules/$PACKAGE"
fi
flat_dir="$package_dir/icons/flat"
[[ -d "$flat_dir" ]] || die "no folder icons/flat in $package_dir"
[[ -f "$package_dir/LICENSE" ]] || die "no LICENSE in $package_dir"
installed_version=$(sed -n 's/^[[:space:]]*"version":[[:space:]]*"\([^"]*\)".*/\1/p' "$package_dir/package.json" | head -n 1)
[[ -n "$installed_version" ]] || die "cannot read the version from $package_dir/package.json"

# Check the whole list before touching the output folder, so a typo does not
# leave a half-empty folder behind.
declare -A seen_word=() seen_drawing=()
for entry in "${PICTURES[@]}"; do
    read -r word drawing extra <<<"$entry"
    [[ -n "$word" && -n "$drawing" && -z "${extra:-}" ]] || die "bad list entry: '$entry'"
    [[ "$word" =~ ^[[:upper:]][[:lower:]ß]+$ ]] || die "'$word' is not a capitalised single word"
    [[ -z "${seen_word[$word]:-}" ]] || die "word '$word' is listed twice"
    [[ -z "${seen_drawing[$drawing]:-}" ]] || die "drawing '$drawing' is used twice"
    [[ -f "$flat_dir/$drawing.svg" ]] || die "drawing '$drawing' for '$word' is not in the package"
    seen_word[$word]=1
    seen_drawing[$drawing]=1
done

mkdir -p "$out_dir"
# Every file in the folder is taken as a picture, so old pictures go (a word
# may have been dropped from the list) and anything else is reported.
find "$out_dir" -maxdepth 1 -type f -name '*.png' -delete
leftovers=$(find "$out_dir" -mindepth 1 -maxdepth 1 ! -name '*.png' -printf '%f\n')
if [[ -n "$leftovers" ]]; then
    echo "make-pictures: warning: $out_dir holds files that are not pictures:" >&2
    echo "$leftovers" >&2
fi

margin=$(( (CANVAS - DRAWING) / 2 ))
for entry in "${PICTURES[@]}"; do
    read -r word drawing <<<"$entry"
    card="$work_dir/card.svg"
    # The drawing's own <svg> element becomes a nested one, placed and scaled
    # inside the card. Its width and height (if any) are dropped so that the
    # ones given here count.
    {
        printf '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n' \
            "$CANVAS" "$CANVAS" "$CANVAS" "$CANVAS"
        printf '<rect x="4" y="4" width="%d" height="%d" rx="44" ry="44" fill="#ffffff" stroke="#d4d4d8" stroke-width="3"/>\n' \
            $((CANVAS - 8)) $((CANVAS - 8))
        sed -e 's/<?xml[^>]*?>//' "$flat_dir/$drawing.svg" |
            sed -e '0,/<svg[^>]*>/{
                        s/<svg\([^>]*\)[[:space:]]width="[^"]*"/<svg\1/
                        s/<svg\([^>]*\)[[:space:]]height="[^"]*"/<svg\1/
                        s/<svg /<svg x="'"$margin"'" y="'"$margin"'" width="'"$DRAWING"'" height="'"$DRAWING"'" /
                    }'
        printf '</svg>\n'
    } >"$card"
    target="$out_dir/$word.png"
    rsvg-convert --format=png -o "$work_dir/raw.png" "$card"
    if [[ $have_convert == yes ]]; then
        convert "$work_dir/raw.png" -strip -define png:compression-level=9 \
            -define png:compression-filter=5 "PNG32:$target"
    else
        cp "$work_dir/raw.png" "$target"
    fi
done

# The licence travels next to the folder, not inside it.
{
    echo "The pictures in assets/bilder/ are drawings from the npm package"
    echo "$PACKAGE $installed_version (flat style, icons/flat), which repackages"
    echo "Microsoft's Fluent Emoji (MIT licence, Copyright (c) Microsoft Corporation)."
    echo "They were re-rendered onto white cards by tools/make-pictures.sh."
    echo "The package's licence follows."
    echo
    cat "$package_dir/LICENSE"
} >"$licence_file"

count=$(find "$out_dir" -maxdepth 1 -type f -name '*.png' | wc -l)
size=$(du -sh "$out_dir" | cut -f1)
echo "Wrote $count pictures ($size) to $out_dir and the licence to $licence_file."
