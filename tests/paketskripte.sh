#!/usr/bin/env bash
# Plays the Debian package's maintainer scripts (packaging/debian) through
# every way dpkg calls them, on a temporary tree instead of the machine: first
# installation, a teacher's changes, upgrades, remove, installing again, purge,
# and the upgrade from the old layout whose pictures were a real folder in
# /usr/lib, also when that upgrade fails.
#
#   tests/paketskripte.sh SOURCE_DIR
#
# The scripts run with DPKG_ROOT set to the tree, in the order and with the
# arguments dpkg gives them; the test unpacks the package's files in between
# as dpkg would. The system group and the owner are the machine's business:
# addgroup, getent and chown are stand-ins that keep the group in the tree and
# write down which files were given to it. tools/check-deb.sh installs the real
# package with apt.
set -euo pipefail

quelle=$(realpath "$1")
skripte=$quelle/packaging/debian
vorlagen=$quelle/assets/bilder

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
ok() { echo "ok: $*"; }

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
export DPKG_ROOT=$arbeit/wurzel
protokoll=$arbeit/protokoll # what the stand-ins were asked to do
ordner=$DPKG_ROOT/var/lib/kieselblick/bilder
anzeige=/var/lib/kieselblick/bilder # the folder as the messages name it
programmordner=$DPKG_ROOT/usr/lib/kieselblick
geteilt=$DPKG_ROOT/usr/share/kieselblick/bilder

# ---- stand-ins for the machine's user database --------------------------------

mkdir -p "$arbeit/werkzeuge" "$DPKG_ROOT/etc"
touch "$DPKG_ROOT/etc/group"
cat >"$arbeit/werkzeuge/getent" <<'EOF'
#!/bin/sh
[ "$1" = group ] && grep -q "^$2:" "$DPKG_ROOT/etc/group" && grep "^$2:" "$DPKG_ROOT/etc/group"
EOF
cat >"$arbeit/werkzeuge/addgroup" <<EOF
#!/bin/sh
echo "addgroup \$*" >>"$protokoll"
[ "\$1 \$2" = "--quiet --system" ] || exit 1
grep -q "^\$3:" "\$DPKG_ROOT/etc/group" && exit 1
echo "\$3:x:999:" >>"\$DPKG_ROOT/etc/group"
EOF
cat >"$arbeit/werkzeuge/chown" <<EOF
#!/bin/sh
[ "\$1" = root:kieselblick ] && grep -q "^kieselblick:" "\$DPKG_ROOT/etc/group" || exit 1
[ -e "\$2" ] || exit 1
echo "chown \$1 \${2#\$DPKG_ROOT}" >>"$protokoll"
EOF
chmod +x "$arbeit/werkzeuge"/*
export PATH=$arbeit/werkzeuge:$PATH

# ---- dpkg's part ----------------------------------------------------------------

skript() {
  local name=$1
  shift
  sh "$skripte/$name" "$@" || fail "$name $* ended with status $?"
}

# The files of a package: the shipped pictures in /usr/share and the link in
# the program folder ("neu" adds a picture and changes one, as a later release
# would). "alt" is the layout up to 1.0.0.14-1: a real folder in /usr/lib.
entpacke() {
  rm -rf "$programmordner" "$DPKG_ROOT/usr/share/kieselblick"
  mkdir -p "$programmordner" "$geteilt"
  cp "$vorlagen"/* "$geteilt/"
  case "$1" in
    alt) cp -r "$vorlagen" "$programmordner/bilder" ;;
    neu)
      cp "$quelle/assets/icon-256.png" "$geteilt/Kieselstein.png"
      cp "$vorlagen/Hund.png" "$geteilt/Affe.png"
      ln -s /var/lib/kieselblick/bilder "$programmordner/bilder"
      ;;
    *) ln -s /var/lib/kieselblick/bilder "$programmordner/bilder" ;;
  esac
}

# Unpacking leaves the teachers' folder alone; a link replaces a link. dpkg
# would stop at a real folder where the package has a link.
entpacke_ueber() {
  [ ! -d "$programmordner/bilder" ] || [ -L "$programmordner/bilder" ] ||
    fail "unpacking finds a real folder $programmordner/bilder where the link goes"
  local teile
  teile=$(mktemp -d)
  [ ! -e "$programmordner/bilder.dpkg-alt" ] || mv "$programmordner/bilder.dpkg-alt" "$teile/"
  entpacke "$1"
  [ ! -e "$teile/bilder.dpkg-alt" ] || mv "$teile/bilder.dpkg-alt" "$programmordner/"
  rm -rf "$teile"
}

installiere() { # [version the machine still has the configuration of]
  skript preinst install ${1:+"$1"}
  entpacke_ueber "${2:-neu0}"
  skript postinst configure ${1:+"$1"}
}

aktualisiere() { # from to unpack-as
  skript preinst upgrade "$1"
  entpacke_ueber "$3"
  skript postrm upgrade "$2"
  skript postinst configure "$1"
}

entferne() {
  rm -rf "$programmordner" "$DPKG_ROOT/usr/share/kieselblick"
  skript postrm remove
}

# ---- what the tree holds ----------------------------------------------------------

# Names, kinds, modes, sizes and bytes of everything in a folder, one line each.
abbild() {
  (cd "$1" && find . -mindepth 1 -printf '%p %y %m %s\n' | LC_ALL=C sort &&
    find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum)
}

# Names and bytes of the files in a folder, whatever their modes.
inhalt() {
  (cd "$1" && find . -type f -print0 | LC_ALL=C sort -z | xargs -0 -r sha256sum)
}

# The folder of the first installation: root and the group, 2775, and every
# shipped picture in it, 0664 and given to the group.
pruefe_freigabe() {
  [ "$(stat -c %a "$ordner")" = 2775 ] || fail "$ordner has mode $(stat -c %a "$ordner"), not 2775"
  grep -qx "chown root:kieselblick /var/lib/kieselblick/bilder" "$protokoll" ||
    fail "the folder was not given to root and the group"
  local bild name
  for bild in "$ordner"/* "$ordner"/.[!.]*; do
    [ -f "$bild" ] || continue
    name=${bild#"$DPKG_ROOT"}
    [ "$(stat -c %a "$bild")" = 664 ] || fail "$name has mode $(stat -c %a "$bild"), not 0664"
    grep -qxF "chown root:kieselblick $name" "$protokoll" || fail "$name was not given to the group"
  done
}

# A teacher adds a picture, deletes one and replaces one.
lehrer_aendert() {
  cp "$quelle/assets/icon-256.png" "$1/Kiesel.png"
  rm "$1/Affe.png"
  cp "$vorlagen/Hund.png" "$1/Katze.png"
  echo "Notiz" >"$1/.notiz"
}

# ---- the cases ----------------------------------------------------------------------

installiere
[ -L "$programmordner/bilder" ] || fail "no link $programmordner/bilder"
diff -r "$vorlagen" "$ordner" >/dev/null || fail "the first installation did not fill $ordner with the shipped pictures"
pruefe_freigabe
[ "$(grep -c '^addgroup' "$protokoll")" = 1 ] || fail "addgroup was not called once: $(cat "$protokoll")"
ok "the first installation makes the group and fills $anzeige (2775, pictures 0664)"
ablage=$DPKG_ROOT/var/lib/kieselblick/ergebnisse
[ "$(stat -c %a "$ablage")" = 3773 ] || fail "the results folder has mode $(stat -c %a "$ablage"), not 3773"
grep -qx "chown root:kieselblick /var/lib/kieselblick/ergebnisse" "$protokoll" ||
  fail "the results folder was not given to root and the group"
ok "the first installation makes the results drop box (3773, the group's)"

lehrer_aendert "$ordner"
vorher=$(abbild "$ordner")
: >"$protokoll"
aktualisiere 1.0.0.14-2 1.0.0.15-1 neu
[ "$(abbild "$ordner")" = "$vorher" ] || fail "the upgrade changed $ordner"
[ ! -s "$protokoll" ] || fail "the upgrade changed owners or groups: $(cat "$protokoll")"
aktualisiere 1.0.0.15-1 1.0.0.15-1 neu
[ "$(abbild "$ordner")" = "$vorher" ] || fail "installing the same version again changed $ordner"
ok "upgrades leave a teacher's changes as they are and add no new shipped picture"

entferne
[ "$(abbild "$ordner")" = "$vorher" ] || fail "remove changed $ordner"
installiere 1.0.0.15-1
[ "$(abbild "$ordner")" = "$vorher" ] || fail "installing after remove changed $ordner"
ok "remove keeps $anzeige, and installing again finds it as it was"

echo "2026-12-06	09:15:02	pc	kind	Anna	1	4	0	A/B/C/D	A/B/C/D" >"$ablage/2026-12-06_pc_kind.tsv"
bilder_vorher=$(inhalt "$ordner")
entferne
[ -e "$ablage/2026-12-06_pc_kind.tsv" ] || fail "remove deleted the results"
skript postrm purge 2>"$arbeit/purge.txt"
[ ! -e "$DPKG_ROOT/var/lib/kieselblick" ] || fail "purge left $DPKG_ROOT/var/lib/kieselblick"
gesichert=$(ls -d "$DPKG_ROOT"/var/backups/kieselblick/bilder-* 2>/dev/null | head -1)
[ -n "$gesichert" ] && [ "$(inhalt "$gesichert")" = "$bilder_vorher" ] ||
  fail "purge did not keep every picture of the teachers in /var/backups/kieselblick"
grep -q "moved to /.*/var/backups/kieselblick/bilder-" "$arbeit/purge.txt" || fail "purge did not say where the pictures went"
ok "purge deletes the results, moves the teachers' pictures to /var/backups/kieselblick and says so"

# Folders that are links to elsewhere (a share): purge removes the links alone.
rm -rf "$DPKG_ROOT/var"
mkdir -p "$DPKG_ROOT/var/lib/kieselblick" "$arbeit/server/bilder" "$arbeit/server/ergebnisse"
echo bild >"$arbeit/server/bilder/Affe.png"
echo ergebnis >"$arbeit/server/ergebnisse/2026-12-06_pc_kind.tsv"
ln -s "$arbeit/server/bilder" "$ordner"
ln -s "$arbeit/server/ergebnisse" "$ablage"
skript postrm purge
[ ! -e "$ordner" ] && [ ! -L "$ordner" ] && [ ! -L "$ablage" ] || fail "purge left the links"
[ -f "$arbeit/server/bilder/Affe.png" ] && [ -f "$arbeit/server/ergebnisse/2026-12-06_pc_kind.tsv" ] ||
  fail "purge deleted through a link"
ok "purge removes links to shares, never what they point to"

# The old layout: the pictures, changed by a teacher, in a real folder in /usr/lib.
rm -rf "$DPKG_ROOT/usr" "$DPKG_ROOT/var"
entpacke alt
lehrer_aendert "$programmordner/bilder"
vorher=$(abbild "$programmordner/bilder")
alter_inhalt=$(inhalt "$programmordner/bilder")
skript preinst upgrade 1.0.0.14-1
[ ! -e "$programmordner/bilder" ] || fail "preinst left the old folder where the link goes"
entpacke_ueber neu0
skript postrm abort-upgrade 1.0.0.14-1
[ -d "$programmordner/bilder" ] && [ ! -L "$programmordner/bilder" ] ||
  fail "a failed upgrade from the old layout did not bring back the old folder"
[ "$(abbild "$programmordner/bilder")" = "$vorher" ] || fail "a failed upgrade changed the old folder"
[ ! -e "$programmordner/bilder.dpkg-alt" ] || fail "a failed upgrade left bilder.dpkg-alt"
ok "a failed upgrade from the old layout puts the old folder back"

: >"$protokoll"
rm -f "$DPKG_ROOT/etc/group"
touch "$DPKG_ROOT/etc/group"
aktualisiere 1.0.0.14-1 1.0.0.14-2 neu0
[ -L "$programmordner/bilder" ] || fail "no link after the upgrade from the old layout"
[ ! -e "$programmordner/bilder.dpkg-alt" ] || fail "bilder.dpkg-alt is left after the upgrade"
[ "$(inhalt "$ordner")" = "$alter_inhalt" ] ||
  fail "the teachers' pictures of the old folder did not all move to $ordner"
pruefe_freigabe
ok "the upgrade from the old layout moves the teachers' pictures to $anzeige"

for name in preinst postinst postrm; do
  if sh "$skripte/$name" gibt-es-nicht 2>/dev/null; then fail "$name accepts an unknown argument"; fi
done
ok "each script refuses an argument it does not know"
