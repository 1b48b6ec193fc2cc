#!/usr/bin/env bash
# Installs what building and testing Tuckaway needs on Debian 12 and prepares a
# Wine prefix. Safe to run again: it only does what is still missing, and it
# never deletes a folder it did not create.
set -euo pipefail

packages=(git file cmake ninja-build clang-format shellcheck mingw-w64 wine wine64 wine32:i386 xvfb xdotool
          x11-utils imagemagick libgtest-dev librapidcheck-dev python3
          # A sound server for the tests' own, so Wine's programs have a render device.
          pulseaudio pulseaudio-utils libpulse0:i386)

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
# "ours" goes into the folder before Wine fills it, "ready" once the prefix is
# complete: a folder with neither was not made here and is never removed.
ours="$prefix/.tuckaway-prefix"
ready="$prefix/.tuckaway-ready"
if [ -f "$ready" ]; then
    exit 0
fi

if [ -f "$ours" ]; then
    echo "setup: removing the unfinished Wine prefix $prefix left by an earlier run"
    rm -rf -- "$prefix"
elif [ -e "$prefix" ] && { [ ! -d "$prefix" ] || [ -n "$(ls -A -- "$prefix")" ]; }; then
    cat >&2 <<EOF
setup: refusing to use $prefix as Tuckaway's Wine prefix: it already holds
files that setup did not create (a Wine prefix of your own, say), and nothing
in it was changed. Point TUCKAWAY_WINEPREFIX (TUCKAWAY_TEST_WINEPREFIX for the
tests) at a new or empty folder, or move that folder away yourself.
EOF
    exit 1
fi

echo "setup: creating the Wine prefix $prefix"
echo "setup: $(tuckaway_wine_summary)"
mkdir -p -- "$prefix"
touch -- "$ours"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all
# wineboot needs no display; keep a stray $DISPLAY from popping up dialogs.
unset DISPLAY

failed() {
    echo "setup: $1; the next run of setup starts this prefix afresh" >&2
    tuckaway_wineserver_stop
    exit 1
}

timeout 180 wineboot -i >/dev/null 2>&1 || failed "wineboot -i failed or took over 180 s"
# Every program in this prefix runs inside a 1024x768 virtual desktop: the
# display can then change modes, and tests see the same screen everywhere.
tuckaway_reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 ||
    failed "could not set the prefix's virtual desktop"
tuckaway_reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1 ||
    failed "could not set the virtual desktop's size"
timeout 60 wineserver -w || failed "Wine's server did not exit within 60 s"
touch -- "$ready"
