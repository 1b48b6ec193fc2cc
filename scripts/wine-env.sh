# shellcheck shell=bash
# Sourced, not run: which Wine this machine can run, decided in one place for
# setup.sh, run.sh, test.sh, bench/run.sh and the end-to-end scenarios.
#
# Some kernels run no 32-bit programs. There the system's wine (and wineboot,
# which starts through wine-stable) picks the 32-bit loader and fails with
# "Exec format error"; 64-bit Windows programs still run through the 64-bit
# loader. On that path the wrappers in scripts/wine64/ come first in PATH, so
# every wine, wineboot and `wine reg` call (CTest's included) works unchanged,
# and the x86_64 build is the one that runs.
#
#   TUCKAWAY_WINE64_ONLY=1   take the 64-bit path even where 32-bit programs run
#
# Exports:
#   TUCKAWAY_WINE_ARCH       i686 or x86_64: the build run.sh starts and the
#                            end-to-end scenarios drive
#   TUCKAWAY_WINE32_SKIPPED  empty where 32-bit programs run; otherwise why the
#                            32-bit runs are skipped

tuckaway_wine_env_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

tuckaway_wine_env() {
    local out rc=0
    TUCKAWAY_WINE32_SKIPPED=
    if [ -n "${TUCKAWAY_WINE64_ONLY:-}" ] && [ "$TUCKAWAY_WINE64_ONLY" != 0 ]; then
        TUCKAWAY_WINE32_SKIPPED="TUCKAWAY_WINE64_ONLY=$TUCKAWAY_WINE64_ONLY forces the 64-bit path"
    else
        # Through bash: timeout's own exec would hand a binary it cannot run
        # to /bin/sh, which hides the "Exec format error".
        out="$(timeout 20 bash -c '/usr/lib/wine/wine --version' 2>&1)" || rc=$?
        if [ "$rc" -eq 124 ]; then
            TUCKAWAY_WINE32_SKIPPED="32-bit Wine does not run here (/usr/lib/wine/wine --version took over 20 s)"
        elif [ "$rc" -ne 0 ]; then
            out="$(tail -n 1 <<<"$out")"
            TUCKAWAY_WINE32_SKIPPED="32-bit Wine does not run here (/usr/lib/wine/wine --version: ${out##*: })"
        fi
    fi
    if [ -z "$TUCKAWAY_WINE32_SKIPPED" ]; then
        TUCKAWAY_WINE_ARCH=i686
    else
        TUCKAWAY_WINE_ARCH=x86_64
        case ":$PATH:" in
            *":$tuckaway_wine_env_dir/wine64:"*) ;;
            *) PATH="$tuckaway_wine_env_dir/wine64:$PATH" ;;
        esac
    fi
    export PATH TUCKAWAY_WINE_ARCH TUCKAWAY_WINE32_SKIPPED
}
tuckaway_wine_env

# One line for a log: which Wine runs and which build is driven.
tuckaway_wine_summary() {
    if [ -z "$TUCKAWAY_WINE32_SKIPPED" ]; then
        echo "Wine runs 32- and 64-bit programs here: the i686 build is the one that runs"
    else
        echo "Wine runs 64-bit programs only, through scripts/wine64/ ($TUCKAWAY_WINE32_SKIPPED): the x86_64 build is the one that runs"
    fi
}

# Wine's housekeeping calls, each with a time limit: a wedged wineserver must
# fail a run, not hang it.
tuckaway_reg() { timeout 30 wine reg "$@"; }

tuckaway_wineserver_stop() {
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
}

# The X window of the Wine virtual desktop on $DISPLAY.
tuckaway_desktop_window() {
    xdotool search --name ' - Wine desktop$' 2>/dev/null | head -n 1 | grep .
}

# tuckaway_wait_for_desktop [SECONDS]: polls for the virtual desktop (default
# 60 s), and says what it waited for when it does not come.
tuckaway_wait_for_desktop() {
    local limit="${1:-60}"
    local deadline=$((SECONDS + limit))
    until tuckaway_desktop_window >/dev/null; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            echo "timed out after $limit s waiting for the Wine virtual desktop" \
                "(an X window named '... - Wine desktop' on display ${DISPLAY:-(none)})" >&2
            return 1
        fi
        sleep 0.2
    done
}
