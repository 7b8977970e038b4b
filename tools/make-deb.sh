#!/usr/bin/env bash
# Builds the Debian package brindlepair_VERSION_ARCH.deb with dpkg-buildpackage
# and leaves it in the repository's root, for `sudo apt install
# ./brindlepair_*.deb`. First installs the Debian packages the build needs
# (dpkg-dev and the build dependencies debian/control names), and nothing when
# they are all present already.
#
# The package is built from a copy of the tree in build-deb/, so that neither
# the tree nor the folder above it (where dpkg-buildpackage writes what it
# makes) is left with the build's files; build-deb/ keeps the rest of them: the
# debug symbols' package, the .changes and .buildinfo files and the build log.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! dpkg-query -W -f='${Status}' dpkg-dev 2>/dev/null | grep -q 'install ok installed' \
        || ! dpkg-checkbuilddeps >/dev/null 2>&1; then
    echo "Installing dpkg-dev and the package's build dependencies"
    sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends dpkg-dev
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get build-dep -y -qq --no-install-recommends ./
fi

version=$(dpkg-parsechangelog -S Version)
source_dir=build-deb/brindlepair-$version
rm -rf build-deb
mkdir -p "$source_dir"
tar -c --exclude=./.git --exclude=./build --exclude='./build-*' --exclude='./obj-*' \
    --exclude='./brindlepair_*.deb' --exclude=__pycache__ . | tar -x -C "$source_dir"

echo "Building the package in $source_dir (the log: build-deb/build.log)"
if ! (cd "$source_dir" && dpkg-buildpackage -us -uc -b -jauto) > build-deb/build.log 2>&1; then
    tail -n 40 build-deb/build.log
    echo "The package build failed; its whole log is build-deb/build.log" >&2
    exit 1
fi
mv build-deb/brindlepair_"$version"_*.deb .
ls brindlepair_"$version"_*.deb
