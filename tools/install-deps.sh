#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing Kieselblick needs,
# but only those that are missing. Works as root or through sudo.
set -euo pipefail

# The tests need a virtual X screen and its key events (xvfb, xdotool), speak
# X11 to it (libxcb1-dev), the validators of the desktop entries and the
# metainfo (desktop-file-utils, appstream), a stand-in for a school's share that
# stops answering (bindfs, a FUSE mount whose server a test stops, and fuse3's
# fusermount to unmount it), and Qt's German texts (qt6-translations-l10n); a
# build with tests fails those tests where they are missing.
packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libjpeg62-turbo-dev libpng-dev
  xvfb xdotool libxcb1-dev desktop-file-utils appstream bindfs fuse3 qt6-translations-l10n "$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "Missing packages: ${missing[*]}; please install them as root." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
