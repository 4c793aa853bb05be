#!/usr/bin/env bash
# Installs every Debian package Tallywave needs to build, run and test. Idempotent: quick when all is present.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-l10n-tools
    libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format-14 clang-tidy-14 clang-tools-14 python3
    fonts-dejavu-core
    xvfb xauth imagemagick
    openbox trayer xdotool wmctrl x11-utils dbus-bin dbus-daemon util-linux passwd haskell-gtk-sni-tray-utils
    iproute2 nftables iputils-ping procps
)
if [ "${TALLYWAVE_WINDOWS:-1}" = 1 ]; then
    # Cross-build and Wine; Qt for mingw is built from Debian's source package (dpkg-dev unpacks it, perl runs Qt's
    # header tool); the Windows build's images and icon are rendered from the SVGs on the host; xdotool finds the
    # program's window on Xvfb; Wine's own fonts stand in for Tahoma and the other Windows fonts.
    packages+=(mingw-w64 g++-mingw-w64-x86-64-posix wine64 googletest dpkg-dev xz-utils perl librsvg2-bin icoutils
        xdotool fonts-wine)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
