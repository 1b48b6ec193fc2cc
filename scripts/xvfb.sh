# shellcheck shell=bash
# Sourced, not run: starts a private Xvfb on a free display.
#
#   tuckaway_start_xvfb     sets TUCKAWAY_XVFB_DISPLAY (":N") and TUCKAWAY_XVFB_PID
#   tuckaway_stop_xvfb      stops it again

tuckaway_start_xvfb() {
    local n
    for n in $(seq 90 199); do
        if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then
            continue
        fi
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TUCKAWAY_XVFB_PID=$!
        for _ in $(seq 1 100); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                # shellcheck disable=SC2034 # for the scripts that source this
                TUCKAWAY_XVFB_DISPLAY=":$n"
                return 0
            fi
            # Lost a race for this number to another server: take the next one.
            if ! kill -0 "$TUCKAWAY_XVFB_PID" 2>/dev/null; then
                break
            fi
            sleep 0.1
        done
        kill "$TUCKAWAY_XVFB_PID" 2>/dev/null || true
        wait "$TUCKAWAY_XVFB_PID" 2>/dev/null || true
    done
    echo "could not start Xvfb on any display from :90 to :199" >&2
    return 1
}

tuckaway_stop_xvfb() {
    if [ -n "${TUCKAWAY_XVFB_PID:-}" ]; then
        kill "$TUCKAWAY_XVFB_PID" 2>/dev/null || true
        wait "$TUCKAWAY_XVFB_PID" 2>/dev/null || true
        TUCKAWAY_XVFB_PID=
    fi
}
