#!/bin/sh
# Installs what building, testing and running need, on Debian or Ubuntu,
# and the further packages named as arguments (CI adds clang-format, the
# static analysis clang-tidy and cppcheck; make docs, test and package add
# doxygen and man-db).
# Does nothing (quickly) when everything is there already.
set -eu

packages="build-essential clang libclang-rt-14-dev cmake pkg-config file freeglut3-dev libgl-dev libglu1-mesa-dev \
libpng-dev libfreetype-dev libharfbuzz-dev libfribidi-dev libfontconfig-dev libepoxy-dev libglfw3-dev fonts-dejavu-core libgtest-dev libbenchmark-dev libx11-dev libxtst-dev xvfb xdotool imagemagick $*"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        SUDO=sudo
    else
        echo "Missing packages:$missing; run this as root or install them." >&2
        exit 1
    fi
else
    SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
if ! { $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends $missing; }; then
    echo "Could not install:$missing (is apt-get reachable?)" >&2
    exit 1
fi
