#!/usr/bin/env bash
# Builds Tuckaway.exe (32-bit, preset i686) and runs it under Wine until it
# exits. Without a $DISPLAY it runs on a private Xvfb and says how to look at it.
#
#   TUCKAWAY_EXE          run this exe instead of building one
#   TUCKAWAY_WINEPREFIX   the Wine prefix (default ~/.cache/tuckaway/wineprefix)
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
. scripts/xvfb.sh

bash scripts/setup.sh

exe="${TUCKAWAY_EXE:-}"
if [ -z "$exe" ]; then
    cmake --preset i686 >/dev/null
    cmake --build --preset i686 -j2 --target Tuckaway
    exe="$repo/build/i686/app/Tuckaway.exe"
fi
exe="$(realpath "$exe")"

export WINEPREFIX="${TUCKAWAY_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# Keeps non-ASCII window titles intact on their way into Wine programs.
export LANG=C.UTF-8
unset LC_ALL

if [ -z "${DISPLAY:-}" ]; then
    # A wineserver left over from another display would keep the desktop there.
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    tuckaway_start_xvfb
    export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
    stop() {
        wineserver -k 2>/dev/null || true
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
