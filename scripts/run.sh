#!/usr/bin/env bash
# Builds Tuckaway.exe and runs it under Wine until it exits: the 32-bit build
# (preset i686), or the 64-bit one (x86_64) where Wine runs no 32-bit programs
# (see scripts/wine-env.sh). Without a $DISPLAY it runs on a private Xvfb and
# says how to look at it.
#
#   TUCKAWAY_EXE           run this exe instead of building one
#   TUCKAWAY_WINEPREFIX    the Wine prefix (default ~/.cache/tuckaway/wineprefix)
#   TUCKAWAY_WINE64_ONLY=1 build and run the 64-bit exe even where 32-bit programs run
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
# shellcheck source=xvfb.sh
. scripts/xvfb.sh

bash scripts/setup.sh
# shellcheck source=wine-env.sh
. scripts/wine-env.sh

exe="${TUCKAWAY_EXE:-}"
if [ -z "$exe" ]; then
    echo "$(tuckaway_wine_summary)."
    cmake --preset "$TUCKAWAY_WINE_ARCH" >/dev/null
    cmake --build --preset "$TUCKAWAY_WINE_ARCH" -j2 --target Tuckaway
    exe="$repo/build/$TUCKAWAY_WINE_ARCH/app/Tuckaway.exe"
fi
exe="$(realpath "$exe")"

export WINEPREFIX="${TUCKAWAY_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps non-ASCII window titles intact on their way into Wine programs.
export LANG=C.UTF-8
unset LC_ALL

if [ -z "${DISPLAY:-}" ]; then
    # A wineserver left over from another display would keep the desktop there.
    tuckaway_wineserver_stop
    tuckaway_start_xvfb
    export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
    stop() {
        tuckaway_wineserver_stop
        tuckaway_stop_xvfb
    }
    trap stop EXIT
    cat <<INFO
No \$DISPLAY: Tuckaway runs on a private X server, display $DISPLAY (a 1024x768
Wine desktop inside it). To look at it from another shell:
    import -display $DISPLAY -window root shot.png     # a screenshot
    x11vnc -display $DISPLAY -localhost                 # live, with a VNC viewer (apt-get install x11vnc)
    DISPLAY=$DISPLAY xdotool key ctrl+z                 # type keys into it
Press Ctrl+C here to stop it.
INFO
fi

echo "Running $exe (Wine prefix $WINEPREFIX)"
cd "$(dirname "$exe")"
# In the foreground: this script returns when the program exits.
wine "./$(basename "$exe")"
