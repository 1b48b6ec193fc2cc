#!/usr/bin/env bash
# Installs what building and testing Tuckaway needs on Debian 12 and prepares a
# Wine prefix. Safe to run again: it only does what is still missing.
set -euo pipefail

packages=(git cmake ninja-build clang-format mingw-w64 wine wine64 wine32:i386 xvfb xdotool x11-utils
          imagemagick libgtest-dev libgmock-dev libbenchmark-dev)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

# After the packages: whether 32-bit Wine runs can only be told once it is installed.
# shellcheck source=wine-env.sh
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# One prefix for every run: creating it costs about 15 s and 1.3 GB.
prefix="${TUCKAWAY_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix}"
marker="$prefix/.tuckaway-ready"
if [ ! -f "$marker" ]; then
    echo "setup: creating the Wine prefix $prefix"
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
    # wineboot needs no display, but keep a stray $DISPLAY from popping up dialogs.
    env -u DISPLAY wineboot -i >/dev/null 2>&1
    # Every program in this prefix runs inside a 1024x768 virtual desktop: the
    # display can then change modes, and tests see the same screen everywhere.
    env -u DISPLAY wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    env -u DISPLAY wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$marker"
fi
