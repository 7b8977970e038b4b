#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, and nothing when
# they are all present already. Used by run.sh and test.sh.
set -euo pipefail

packages=(build-essential cmake qt6-base-dev libgl-dev libjpeg62-turbo-dev fonts-dejavu-core)
if [ "${1:-}" = "--tests" ]; then
    # The end-to-end test plays in a real X window; the fuzz target needs clang;
    # the install test checks the menu entry and metainfo with the validators.
    packages+=(xvfb openbox xdotool imagemagick x11-utils python3 clang libclang-rt-14-dev)
    packages+=(desktop-file-utils appstream)
    # The screen reader's game reads the window through AT-SPI.
    packages+=(dbus-daemon at-spi2-core python3-gi gir1.2-atspi-2.0)
    # Orca plays it beside, speaking through speech-dispatcher into libao's
    # null output (speech-dispatcher's audio plugins bring libao).
    packages+=(orca)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
