#!/usr/bin/env bash
# Builds the Debian package of Kieselblick and checks that it installs and starts.
#
#   tools/check-deb.sh [BUILD_FOLDER]        (default: build/deb, emptied first)
#
# The package is built with cpack in a fresh Release build folder, installed with
# apt (which pulls in what it depends on), checked file by file, started from its
# launcher on a virtual X display, and removed again.
#
# It is meant to show that the package works on a clean Debian 12. This machine
# stands in for one: the package itself must not be installed beforehand, but the
# Qt libraries are already here because the build needs them. To make up for that
# the script also checks that every library the program links against comes from
# a package named in the package's dependencies. For the real thing, run it in a
# fresh Debian 12 container.
#
# Needs root or sudo (apt, dpkg).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

app_id=example.tavo_kolleg.kieselblick
build=${1:-build/deb}
# The pictures the program must find beside itself, as started from its launcher.
app_dir=/usr/lib/kieselblick

fail() { echo "FAILED: $*" >&2; exit 1; }
ok() { echo "ok: $*"; }
as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# ---- building -------------------------------------------------------------------

fresh_build_folder() {
  if [ -e "$build" ] && [ ! -f "$build/CMakeCache.txt" ]; then
    fail "$build exists and is no build folder; not emptying it"
  fi
  rm -rf "$build"
}

build_package() {
  fresh_build_folder
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$build" --target kieselblick
  (cd "$build" && cpack -G DEB)
  mapfile -t debs < <(find "$build" -maxdepth 1 -name 'kieselblick_*.deb')
  [ ${#debs[@]} -eq 1 ] || fail "expected one .deb in $build, found ${#debs[@]}"
  deb=$(realpath "${debs[0]}")
  ok "built $deb"
}

# ---- the package before installing ----------------------------------------------

field() { dpkg-deb -f "$deb" "$1"; }

check_control_fields() {
  local version
  version=$(sed -n 's/^project(Kieselblick VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  [ "$(field Package)" = kieselblick ] || fail "package name is '$(field Package)'"
  [[ "$(field Version)" == "$version"-* ]] || fail "version '$(field Version)' is not $version"
  [ "$(field Section)" = games ] || fail "section is '$(field Section)'"
  local depends dep
  depends=$(field Depends)
  for dep in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
  done
  ok "control: $(field Package) $(field Version), section games, depends $depends"
}

check_metadata_tree() {
  local tree
  tree=$(mktemp -d)
  dpkg-deb -x "$deb" "$tree"
  # Checks the metainfo together with the desktop entry it launches.
  appstreamcli validate-tree --no-net "$tree" || fail "AppStream metadata of the package"
  rm -rf "$tree"
  ok "AppStream metadata and desktop entry agree"
}

# ---- installing -------------------------------------------------------------------

install_package() {
  if dpkg-query -W -f='${Status}' kieselblick 2>/dev/null | grep -q "ok installed"; then
    fail "kieselblick is installed already; remove it first (apt-get purge kieselblick)"
  fi
  if command -v kieselblick >/dev/null; then
    fail "another kieselblick is on the PATH: $(command -v kieselblick)"
  fi
  installed=1
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$deb")
  if ! as_root "${apt[@]}"; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
    as_root "${apt[@]}"
  fi
  dpkg-query -W -f='${Status}' kieselblick | grep -q "install ok installed" ||
    fail "dpkg does not list kieselblick as installed"
  as_root dpkg --verify kieselblick || fail "installed files differ from the package"
  ok "installed with apt, dpkg --verify clean"
}

remove_package() {
  [ "${installed:-0}" = 1 ] || return 0
  installed=0
  as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kieselblick >/dev/null
}
trap remove_package EXIT

# ---- the installed files ------------------------------------------------------------

check_launcher() {
  local launcher
  launcher=$(command -v kieselblick) || fail "kieselblick is not on the PATH"
  [ "$launcher" = /usr/bin/kieselblick ] || fail "kieselblick on the PATH is $launcher"
  [ -L "$launcher" ] || fail "$launcher is no symlink"
  [ "$(readlink "$launcher")" = ../lib/kieselblick/kieselblick ] ||
    fail "$launcher points to $(readlink "$launcher")"
  [ -x "$app_dir/kieselblick" ] || fail "$app_dir/kieselblick is not executable"
  ok "kieselblick on the PATH -> $(readlink -f "$launcher")"
}

check_pictures() {
  diff -r "$source_dir/assets/bilder" "$app_dir/bilder" || fail "pictures beside the program"
  ok "$(find "$app_dir/bilder" -type f | wc -l) pictures in $app_dir/bilder"
}

check_desktop_entry() {
  local entry=/usr/share/applications/$app_id.desktop report
  [ -f "$entry" ] || fail "no desktop entry $entry"
  report=$(desktop-file-validate "$entry") || fail "desktop entry: $report"
  # Two main categories are wanted; that hint is all the validator may say.
  if grep -v "more than one main category" <<<"$report" | grep -q .; then
    fail "desktop entry: $report"
  fi
  grep -qx "Exec=kieselblick" "$entry" || fail "desktop entry does not start kieselblick"
  grep -qx "Icon=$app_id" "$entry" || fail "desktop entry names another icon"
  grep -qx "Categories=Education;Game;KidsGame;" "$entry" || fail "desktop entry categories"
  ok "desktop entry $entry"
}

check_icons() {
  local size icon
  for size in 16 32 48 256; do
    icon=/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "no icon $icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
  done
  icon=/usr/share/icons/hicolor/scalable/apps/$app_id.svg
  [ "$(identify -format '%m' "$icon")" = SVG ] || fail "$icon is no SVG picture"
  ok "icons 16, 32, 48, 256 and scalable in hicolor"
}

check_metainfo() {
  local info=/usr/share/metainfo/$app_id.metainfo.xml
  [ -f "$info" ] || fail "no metainfo $info"
  appstreamcli validate --no-net "$info" || fail "metainfo $info"
  [ -f /usr/share/doc/kieselblick/copyright ] || fail "no copyright file"
  ok "metainfo $info and copyright"
}

# Every library the program asks for directly must belong to a package in Depends,
# or a clean system would lack it.
check_library_packages() {
  local depends lib path pkg
  depends=$(dpkg-query -W -f='${Depends}' kieselblick)
  for lib in $(objdump -p "$app_dir/kieselblick" | awk '$1 == "NEEDED" {print $2}'); do
    path=$(ldd "$app_dir/kieselblick" | awk -v l="$lib" '$1 == l {print $3}')
    if [ -z "$path" ] || [ "$path" = "not" ]; then fail "$lib is not found"; fi
    pkg=$(dpkg -S "$(realpath "$path")" 2>/dev/null || dpkg -S "$path") ||
      fail "$lib ($path) belongs to no package"
    pkg=${pkg%%:*}
    [[ ", $depends," == *", $pkg"[\ ,]* ]] || fail "$lib comes from $pkg, which is not in Depends"
  done
  ok "every linked library comes from a package in Depends"
}

# ---- starting it ---------------------------------------------------------------------

# Starts the launcher from a folder without pictures on a virtual screen with
# the default Qt platform (xcb), lists the windows after three seconds and takes
# a screenshot. The program keeps running until `timeout` ends it.
run_under_xvfb() {
  run=$(mktemp -d)
  shot=$(realpath "$build")/kieselblick-xvfb.png
  # shellcheck disable=SC2016 # the inner script expands RUN and SHOT itself
  (cd "$run" && env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY RUN="$run" SHOT="$shot" \
     xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
       timeout 5 kieselblick 2>"$RUN/stderr.txt" & pid=$!
       sleep 3
       xwininfo -root -tree >"$RUN/fenster.txt"
       import -window root "$SHOT"
       status=0; wait $pid || status=$?
       echo $status >"$RUN/status"')
}

check_first_window() {
  run_under_xvfb
  local status geometry
  status=$(cat "$run/status")
  [ "$status" = 124 ] || { cat "$run/stderr.txt" >&2; fail "kieselblick ended by itself with status $status"; }
  # The first screen is at least 640 x 400 pixels; a message box alone is smaller.
  geometry=$(awk '/\("kieselblick" / {
                    split($(NF-1), g, "[x+]");
                    if (g[1] >= 640 && g[2] >= 400) { print $(NF-1); exit } }' "$run/fenster.txt")
  [ -n "$geometry" ] || { cat "$run/fenster.txt" >&2; fail "no window of kieselblick on the screen"; }
  local colours
  colours=$(convert "$shot" -crop "$geometry" +repage -format '%k' info:)
  [ "$colours" -ge 16 ] || fail "the window ($geometry) shows only $colours colours: not drawn?"
  ok "kieselblick ran 5 s and showed a window $geometry with $colours colours; screenshot $shot"
}

check_removed() {
  remove_package
  if [ -e /usr/bin/kieselblick ] || [ -e "$app_dir" ]; then
    fail "files are left after removing the package"
  fi
  ok "removed again"
}

tools/install-deps.sh dpkg-dev xvfb xauth imagemagick x11-utils desktop-file-utils appstream binutils
build_package
check_control_fields
check_metadata_tree
install_package
check_launcher
check_pictures
check_desktop_entry
check_icons
check_metainfo
check_library_packages
check_first_window
check_removed
echo "The package $deb installs, starts and removes cleanly."
