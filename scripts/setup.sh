#!/bin/sh
# Installs the Debian 12 packages Quillstorm builds and tests with, only those that are missing.
set -eu
PACKAGES="build-essential cmake pkg-config libsdl2-dev libepoxy-dev libopenal-dev libpng-dev zlib1g-dev \
libjpeg62-turbo-dev libogg-dev libvorbis-dev libcairo2-dev fonts-dejavu-core libgtest-dev libgmock-dev \
libbenchmark-dev desktop-file-utils xvfb xauth xdotool libgl1-mesa-dri appstream man-db dpkg-dev file lintian"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
