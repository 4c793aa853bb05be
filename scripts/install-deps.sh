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
    openbox trayer xdotool wmctrl x11-utils dbus-bin util-linux passwd haskell-gtk-sni-tray-utils
    iproute2 nftables iputils-ping procps
)
if [ "${TALLYWAVE_WINDOWS:-1}" = 1 ]; then
    packages+=(mingw-w64 g++-mingw-w64-x86-64-posix wine64 googletest)
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
