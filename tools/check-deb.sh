#!/usr/bin/env bash
# Builds the Debian package of Kieselblick and checks that it installs, starts
# and keeps the teachers' pictures.
#
#   tools/check-deb.sh [BUILD_FOLDER]        (default: build/deb, emptied first)
#
# The package is built with cpack in a fresh Release build folder and checked
# with lintian, installed with apt (which pulls in what it depends on), checked
# file by file, started from its launcher on a virtual X display, upgraded over
# a picture folder a teacher has changed, removed and purged. Last, an upgrade
# from a package of the old layout (pictures in a real folder in /usr/lib) must
# move the teachers' pictures to /var/lib.
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
# The teachers' folder the pictures link points to, and the shipped pictures.
picture_dir=/var/lib/kieselblick/bilder
share_dir=/usr/share/kieselblick
# Lintian tags below warnings that the package keeps on purpose (see README,
# "Lintian"); any other tag fails the check.
lintian_kept="package-contains-documentation-outside-usr-share-doc spelling-error-in-binary typo-in-manual-page executable-in-usr-lib"

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
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DKB_DEB_LAYOUT=ON >/dev/null
  # The companion is packaged once its target exists: then the install rules
  # name it.
  programs=(kieselblick)
  if grep -q 'kieselblick-bilder' "$build/cmake_install.cmake"; then
    programs+=(kieselblick-bilder)
  fi
  cmake --build "$build" --target "${programs[@]}"
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
  [ "$(field Section)" = education ] || fail "section is '$(field Section)'"
  local depends dep
  depends=$(field Depends)
  for dep in libqt6charts6 libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins adduser; do
    [[ ", $depends," == *", $dep"[\ ,]* ]] || fail "Depends lacks $dep: $depends"
  done
  ok "control: $(field Package) $(field Version), section education, depends $depends"
}

# No errors or warnings, and of the lesser tags only those kept on purpose.
check_lintian() {
  local report tag unexpected=()
  report=$(lintian --display-info --pedantic --display-experimental "$deb" 2>&1 | grep -v "root privileges" || true)
  echo "$report" >"$build/lintian.txt"
  while read -r _ tag _; do
    [ -n "$tag" ] || continue
    [[ " $lintian_kept " == *" $tag "* ]] || unexpected+=("$tag")
  done < <(awk '/^[EWIPX]: / {print $1, $3}' <<<"$report")
  if [ ${#unexpected[@]} -gt 0 ] || grep -q '^[EW]: ' <<<"$report"; then
    echo "$report" >&2
    fail "lintian: ${unexpected[*]}"
  fi
  ok "lintian: no errors or warnings; kept: $(awk '/^[IPX]: / {print $3}' <<<"$report" | sort -u | tr '\n' ' ')"
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

# The machine must not have the package, its folder or a stray command yet.
# Installed, unpacked or removed with its configuration kept.
package_known() {
  local status
  status=$(dpkg-query -W -f='${Status}' kieselblick 2>/dev/null) || return 1
  [ -n "$status" ] && [[ "$status" != *" not-installed" ]]
}

check_clean_machine() {
  if package_known; then
    fail "kieselblick is installed already; remove it first (apt-get purge kieselblick)"
  fi
  if command -v kieselblick >/dev/null; then
    fail "another kieselblick is on the PATH: $(command -v kieselblick)"
  fi
  [ ! -e /var/lib/kieselblick ] || fail "/var/lib/kieselblick is left from before; remove it first"
  [ ! -e /var/backups/kieselblick ] || fail "/var/backups/kieselblick is left from before; move it away first"
  backups_checked=1
  # A group this script creates through the package, it deletes again at the end.
  getent group kieselblick >/dev/null && group_was_there=1 || group_was_there=0
}

apt_install() {
  local apt=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$1")
  installed=1
  if ! as_root "${apt[@]}" >"$build/apt.log" 2>&1; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
    as_root "${apt[@]}" >"$build/apt.log" 2>&1 || { cat "$build/apt.log" >&2; fail "apt could not install $1"; }
  fi
  installed_version "$(dpkg-deb -f "$1" Version)"
  as_root dpkg --verify kieselblick || fail "installed files differ from the package"
}

installed_version() {
  dpkg-query -W -f='${Status} ${Version}' kieselblick | grep -qx "install ok installed $1" ||
    fail "dpkg does not list kieselblick $1 as installed"
}

install_package() {
  apt_install "$deb"
  ok "installed with apt, dpkg --verify clean"
}

remove_package() {
  [ "${installed:-0}" = 1 ] || return 0
  installed=0
  as_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q kieselblick >/dev/null
}

clean_up() {
  local name
  for name in bilder ergebnisse; do
    if mountpoint -q "/var/lib/kieselblick/$name" 2>/dev/null; then as_root umount "/var/lib/kieselblick/$name"; fi
  done
  remove_package
  # A purge moves the pictures there; the machine was checked to have none before.
  if [ "${backups_checked:-0}" = 1 ]; then as_root rm -rf /var/backups/kieselblick; fi
  if [ "${group_was_there:-1}" = 0 ] && getent group kieselblick >/dev/null; then
    as_root delgroup --quiet kieselblick || true
  fi
  rm -rf "${work:-}"
}
trap clean_up EXIT

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

check_companion() {
  [ "${#programs[@]}" -eq 2 ] || { ok "no companion target yet; not packaged"; return 0; }
  local launcher=/usr/bin/kieselblick-bilder entry version
  [ -L "$launcher" ] || fail "$launcher is no symlink"
  [ "$(readlink "$launcher")" = ../lib/kieselblick/kieselblick-bilder ] ||
    fail "$launcher points to $(readlink "$launcher")"
  [ -x "$app_dir/kieselblick-bilder" ] || fail "$app_dir/kieselblick-bilder is not executable"
  version=$(cd / && QT_QPA_PLATFORM=offscreen timeout 20 kieselblick-bilder --version) ||
    fail "kieselblick-bilder --version failed"
  grep -q "$(field Version | sed 's/-[^-]*$//')" <<<"$version" ||
    fail "kieselblick-bilder --version says: $version"
  # The default pictures, through the link, stop no game and fill every level.
  (cd / && QT_QPA_PLATFORM=offscreen timeout 60 kieselblick-bilder --check >"$work/check.txt") ||
    { cat "$work/check.txt" >&2; fail "kieselblick-bilder --check of the installed folder"; }
  entry=/usr/share/applications/$app_id.bilder.desktop
  [ -f "$entry" ] || fail "no desktop entry $entry"
  desktop-file-validate "$entry" || fail "desktop entry $entry"
  grep -qx "Exec=kieselblick-bilder" "$entry" || fail "$entry does not start kieselblick-bilder"
  grep -qx "Icon=$app_id" "$entry" || fail "$entry names another icon"
  [ -f /usr/share/man/man1/kieselblick-bilder.1.gz ] || fail "no manual page of kieselblick-bilder"
  ok "kieselblick-bilder on the PATH, desktop entry and manual page; --version: $version"
}

check_manual_pages() {
  [ -f /usr/share/man/man1/kieselblick.1.gz ] || fail "no manual page of kieselblick"
  [ -f /usr/share/doc/kieselblick/changelog.Debian.gz ] || fail "no Debian changelog"
  ok "manual page and Debian changelog"
}

# The shipped pictures and sets in /usr/share; the link from the program folder
# to the teachers' folder, group-owned and filled with the same pictures.
check_pictures() {
  diff -r "$source_dir/assets/bilder" "$share_dir/bilder" || fail "pictures in $share_dir"
  diff -r "$source_dir/assets/saetze" "$share_dir/saetze" || fail "picture sets in $share_dir"
  [ -L "$app_dir/bilder" ] || fail "$app_dir/bilder is no symlink"
  [ "$(readlink "$app_dir/bilder")" = "$picture_dir" ] ||
    fail "$app_dir/bilder points to $(readlink "$app_dir/bilder")"
  diff -r "$source_dir/assets/bilder" "$app_dir/bilder/" || fail "pictures beside the program"
  local gid
  gid=$(getent group kieselblick | cut -d: -f3) || fail "no group kieselblick"
  [ "$gid" -lt 1000 ] || fail "the group kieselblick ($gid) is no system group"
  [ "$(stat -c '%a %U %G' "$picture_dir")" = "2775 root kieselblick" ] ||
    fail "$picture_dir is $(stat -c '%a %U %G' "$picture_dir"), not 2775 root kieselblick"
  [ -z "$(find "$picture_dir" -mindepth 1 \( ! -type f -o ! -group kieselblick -o ! -perm 0664 \))" ] ||
    fail "pictures in $picture_dir that are not 0664 of group kieselblick"
  ok "$(find "$picture_dir" -type f | wc -l) pictures in $picture_dir (2775 root:kieselblick), linked from $app_dir/bilder"
}

# ---- the teachers' folder over upgrade, remove and purge ---------------------------

# Names, modes, owners and bytes of everything in a folder, one line each.
snapshot() {
  (cd "$1" && find . -mindepth 1 -printf '%p %y %m %U %G %s\n' | LC_ALL=C sort &&
     find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum)
}

# A member of the group kieselblick who is not root (user "nobody" with the
# group) adds a picture, deletes one and replaces one, as a teacher would.
teacher_changes_pictures() {
  local gid teacher
  gid=$(getent group kieselblick | cut -d: -f3)
  teacher=(setpriv --reuid=nobody --regid=nogroup --groups="$gid" --inh-caps=-all)
  as_root "${teacher[@]}" cp "$source_dir/assets/icon-256.png" "$picture_dir/Kiesel.png" ||
    fail "a member of kieselblick cannot add a picture"
  as_root "${teacher[@]}" rm "$picture_dir/Affe.png" ||
    fail "a member of kieselblick cannot delete a picture"
  as_root "${teacher[@]}" cp "$source_dir/assets/bilder/Hund.png" "$picture_dir/Katze.png" ||
    fail "a member of kieselblick cannot replace a picture"
  [ "$(stat -c %G "$picture_dir/Kiesel.png")" = kieselblick ] ||
    fail "a new picture does not get the group kieselblick"
  ok "a member of the group added, deleted and replaced pictures"
}

# The same package with a higher version, as the next release would be.
build_newer_package() {
  local tree=$work/newer
  dpkg-deb -R "$deb" "$tree"
  newer_version="$(field Version)+neu1"
  sed -i "s/^Version: .*/Version: $newer_version/" "$tree/DEBIAN/control"
  newer_deb=$work/kieselblick_${newer_version}_$(field Architecture).deb
  dpkg-deb --root-owner-group -b "$tree" "$newer_deb" >/dev/null
}

check_upgrade_keeps_pictures() {
  teacher_changes_pictures
  local before
  before=$(snapshot "$picture_dir")
  build_newer_package
  apt_install "$newer_deb"
  [ "$(snapshot "$picture_dir")" = "$before" ] || fail "the upgrade changed $picture_dir"
  ok "upgrade to $newer_version left $picture_dir byte for byte as it was"
}

check_remove_keeps_pictures() {
  local before
  before=$(snapshot "$picture_dir")
  as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -q kieselblick >/dev/null
  if [ -e /usr/bin/kieselblick ] || [ -e "$app_dir" ]; then
    fail "program files are left after removing the package"
  fi
  [ "$(snapshot "$picture_dir")" = "$before" ] || fail "remove changed $picture_dir"
  ok "remove took the programs and kept $picture_dir"
}

# Purge deletes the results and the package's files; the teachers' pictures
# move to /var/backups/kieselblick, every one of them.
check_purge_deletes_pictures() {
  local before
  before=$( [ -d "$picture_dir" ] && cd "$picture_dir" && find . -type f -print0 | LC_ALL=C sort -z |
            xargs -0 -r sha256sum)
  installed=1
  remove_package
  if package_known; then
    fail "dpkg still knows kieselblick after purge"
  fi
  [ ! -e /var/lib/kieselblick ] || fail "/var/lib/kieselblick is left after purge"
  if [ -e /usr/bin/kieselblick ] || [ -e "$app_dir" ] || [ -e "$share_dir" ] || [ -e /etc/kieselblick ]; then
    fail "files are left after purge"
  fi
  local kept
  kept=$(ls -d /var/backups/kieselblick/bilder-* 2>/dev/null | tail -1)
  [ -n "$kept" ] || fail "purge did not keep the teachers' pictures"
  [ "$(cd "$kept" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum)" = "$before" ] ||
    fail "the pictures in $kept differ from those before purge"
  as_root rm -rf /var/backups/kieselblick
  ok "purge deleted /var/lib/kieselblick and every file of the package, the pictures kept in $kept"
}

# The system configuration: a conffile of comments only, its manual page, and
# nothing in it the companion would call wrong.
check_configuration() {
  [ -f /etc/kieselblick/kieselblick.conf ] || fail "no /etc/kieselblick/kieselblick.conf"
  grep -qx /etc/kieselblick/kieselblick.conf /var/lib/dpkg/info/kieselblick.conffiles ||
    fail "/etc/kieselblick/kieselblick.conf is no conffile"
  ! grep -v '^\s*\(#\|\[\|$\)' /etc/kieselblick/kieselblick.conf >/dev/null ||
    fail "the shipped configuration sets something"
  [ -f /usr/share/man/man5/kieselblick.conf.5.gz ] || fail "no manual page kieselblick.conf(5)"
  ! QT_QPA_PLATFORM=offscreen kieselblick-bilder --check "$picture_dir" | grep -q Einstellungen ||
    fail "the companion finds fault with the shipped configuration"
  ok "conffile /etc/kieselblick/kieselblick.conf, all comments, with its manual page"
}

# The results drop box: root and the group, 3773. A child's account adds a
# file but can neither list the folder nor read another's file; a teacher
# (a member of the group) lists and reads.
check_results_dropbox() {
  local box=/var/lib/kieselblick/ergebnisse gid
  [ "$(stat -c '%a %U %G' "$box")" = "3773 root kieselblick" ] ||
    fail "$box is $(stat -c '%a %U %G' "$box"), not 3773 root kieselblick"
  gid=$(getent group kieselblick | cut -d: -f3)
  local child1=(setpriv --reuid=47111 --regid=47111 --clear-groups --inh-caps=-all)
  local child2=(setpriv --reuid=47112 --regid=47112 --clear-groups --inh-caps=-all)
  local teacher=(setpriv --reuid=47113 --regid=47113 --groups="$gid" --inh-caps=-all)
  as_root "${child1[@]}" sh -c "umask 077; echo eins > $box/2026-12-06_pc1_kind1.tsv; chmod 0660 $box/2026-12-06_pc1_kind1.tsv" ||
    fail "a child's account cannot add its results"
  as_root "${child2[@]}" sh -c "echo zwei > $box/2026-12-06_pc2_kind2.tsv" || fail "a second child cannot add"
  ! as_root "${child2[@]}" ls "$box" >/dev/null 2>&1 || fail "a child's account can list the results"
  ! as_root "${child2[@]}" cat "$box/2026-12-06_pc1_kind1.tsv" >/dev/null 2>&1 ||
    fail "a child's account can read another's results"
  as_root "${child2[@]}" rm -f "$box/2026-12-06_pc1_kind1.tsv" 2>/dev/null || true
  [ -f "$box/2026-12-06_pc1_kind1.tsv" ] || fail "a child's account removed another's results"
  [ "$(as_root "${teacher[@]}" cat "$box/2026-12-06_pc1_kind1.tsv")" = eins ] ||
    fail "a member of kieselblick cannot read the results"
  as_root "${teacher[@]}" ls "$box" | grep -q pc2_kind2 || fail "a member of kieselblick cannot list the results"
  ok "$box (3773 root:kieselblick): children add but neither list nor read, teachers read"
}

# A folder of the package that is a link to a share, or has a share mounted on
# it (a bind mount stands in for the server): purge leaves what is there.
check_purge_spares_shares() {
  local how
  for how in link mount; do
    install_package
    local server=$work/server-$how
    mkdir -p "$server/bilder" "$server/ergebnisse"
    echo bild >"$server/bilder/Affe.png"
    echo ergebnis >"$server/ergebnisse/2026-12-06_pc_kind.tsv"
    local name
    for name in bilder ergebnisse; do
      if [ "$how" = link ]; then
        as_root rm -rf "/var/lib/kieselblick/$name"
        as_root ln -s "$server/$name" "/var/lib/kieselblick/$name"
      else
        as_root mount --bind "$server/$name" "/var/lib/kieselblick/$name"
      fi
    done
    installed=1
    remove_package
    for name in bilder ergebnisse; do
      mountpoint -q "/var/lib/kieselblick/$name" 2>/dev/null && as_root umount "/var/lib/kieselblick/$name"
    done
    [ -f "$server/bilder/Affe.png" ] && [ -f "$server/ergebnisse/2026-12-06_pc_kind.tsv" ] ||
      fail "purge deleted the contents of a share ($how)"
    as_root rm -rf /var/lib/kieselblick /var/backups/kieselblick
    ok "purge kept what the shares hold when the folders are a ${how}"
  done
}

# A package of the layout before 1.0.0.14-2: the same files, but the pictures in
# a real folder in /usr/lib and no maintainer scripts.
build_old_layout_package() {
  local tree=$work/old
  dpkg-deb -R "$deb" "$tree"
  rm -f "$tree/DEBIAN/preinst" "$tree/DEBIAN/postinst" "$tree/DEBIAN/postrm"
  rm "$tree/usr/lib/kieselblick/bilder"
  cp -r "$source_dir/assets/bilder" "$tree/usr/lib/kieselblick/bilder"
  sed -i "s/^Version: .*/Version: 1.0.0.14-1/; s/, adduser//" "$tree/DEBIAN/control"
  (cd "$tree" && find usr -type f -print0 | xargs -0 md5sum >DEBIAN/md5sums)
  old_deb=$work/kieselblick_1.0.0.14-1_old.deb
  dpkg-deb --root-owner-group -b "$tree" "$old_deb" >/dev/null
}

check_upgrade_from_old_layout() {
  build_old_layout_package
  apt_install "$old_deb"
  local old=$app_dir/bilder before
  cp "$source_dir/assets/icon-256.png" "$old/Kiesel.png"
  rm "$old/Affe.png"
  cp "$source_dir/assets/bilder/Hund.png" "$old/Katze.png"
  before=$( (cd "$old" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum))
  apt_install "$deb"
  [ -L "$old" ] || fail "$old is still no symlink after the upgrade from the old layout"
  [ ! -e "$old.dpkg-alt" ] || fail "$old.dpkg-alt is left"
  [ "$( (cd "$picture_dir" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 sha256sum))" = "$before" ] ||
    fail "the pictures of the old folder did not all move to $picture_dir"
  [ "$(stat -c '%a %G' "$picture_dir")" = "2775 kieselblick" ] || fail "$picture_dir is not 2775 of kieselblick"
  ok "upgrade from the old layout moved the teachers' pictures to $picture_dir"
  check_purge_deletes_pictures
}

# The game's entry, and the one that starts it at a board.
check_desktop_entry() {
  local name exec entry report
  for name in "$app_id.desktop:kieselblick" "$app_id.tafel.desktop:kieselblick --tafel"; do
    entry=/usr/share/applications/${name%%:*}
    exec=${name#*:}
    [ -f "$entry" ] || fail "no desktop entry $entry"
    report=$(desktop-file-validate "$entry") || fail "desktop entry: $report"
    # Two main categories are wanted; that hint is all the validator may say.
    if grep -v "more than one main category" <<<"$report" | grep -q .; then
      fail "desktop entry: $report"
    fi
    grep -qx "Exec=$exec" "$entry" || fail "desktop entry $entry does not start $exec"
    grep -qx "Icon=$app_id" "$entry" || fail "desktop entry $entry names another icon"
    grep -qx "Categories=Education;Game;KidsGame;" "$entry" || fail "desktop entry $entry categories"
    ok "desktop entry $entry"
  done
}

check_icons() {
  local size icon
  for size in 16 32 48 256; do
    icon=/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "no icon $icon"
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
  done
  # ImageMagick reads SVG only through rsvg-convert, so that draws it directly.
  icon=/usr/share/icons/hicolor/scalable/apps/$app_id.svg
  rsvg-convert -w 64 -h 64 -o "$work/icon.png" "$icon" || fail "$icon is no SVG picture"
  [ "$(identify -format '%wx%h' "$work/icon.png")" = 64x64 ] || fail "$icon does not draw at 64x64"
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
  local depends lib path pkg program
  depends=$(dpkg-query -W -f='${Depends}' kieselblick)
  for program in "${programs[@]}"; do
  for lib in $(objdump -p "$app_dir/$program" | awk '$1 == "NEEDED" {print $2}'); do
    # The dynamic loader itself (named by a program that uses thread-local
    # storage of a library) is part of libc6; ldd lists it by its path.
    case "$lib" in ld-linux*) lib=libc.so.6 ;; esac
    path=$(ldd "$app_dir/$program" | awk -v l="$lib" '$1 == l {print $3}')
    if [ -z "$path" ] || [ "$path" = "not" ]; then fail "$lib is not found"; fi
    pkg=$(dpkg -S "$(realpath "$path")" 2>/dev/null || dpkg -S "$path") ||
      fail "$lib ($path) belongs to no package"
    pkg=${pkg%%:*}
    [[ ", $depends," == *", $pkg"[\ ,]* ]] || fail "$lib comes from $pkg, which is not in Depends"
  done
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

tools/install-deps.sh dpkg-dev xvfb xauth imagemagick librsvg2-bin x11-utils desktop-file-utils \
  appstream binutils lintian
check_clean_machine
work=$(mktemp -d)
build_package
check_control_fields
check_lintian
check_metadata_tree
install_package
check_launcher
check_pictures
check_companion
check_manual_pages
check_configuration
check_results_dropbox
check_desktop_entry
check_icons
check_metainfo
check_library_packages
check_first_window
check_upgrade_keeps_pictures
check_remove_keeps_pictures
check_purge_deletes_pictures
check_purge_spares_shares
check_upgrade_from_old_layout
echo "The package $deb installs, starts, keeps the teachers' pictures over upgrades and removes cleanly."
