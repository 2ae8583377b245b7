#!/bin/sh
# Installs the Debian packages the build and the tests need, only when missing.
set -e
PKGS="build-essential cmake pkg-config libsdl2-dev libegl-dev libopengl-dev libglu1-mesa-dev \
libgl1-mesa-dri libfreetype-dev libfontconfig-dev fonts-dejavu-core libpng-dev libgtest-dev \
locales"
if [ "$1" = "--live" ]; then PKGS="$PKGS xvfb xdotool imagemagick"; fi
missing=""
for p in $PKGS; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
fi
# A locale with a comma decimal separator, for the number-format tests.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "note: could not make the de_DE.UTF-8 locale"
fi
