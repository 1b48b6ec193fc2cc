# shellcheck shell=bash
# Sourced, not run: a sound server of the caller's own, in a folder of its
# own, with one null sink, so that Wine's programs started afterwards (they
# take PULSE_SERVER) have a real render device.
#
#   tuckaway_sound_start    starts it; exports PULSE_SERVER
#   tuckaway_sound_stop     stops it and removes its folder

tuckaway_sound_start() {
    TUCKAWAY_SOUND_DIR="$(mktemp -d "${TMPDIR:-/tmp}/tuckaway-sound.XXXXXX")" || return 1
    HOME="$TUCKAWAY_SOUND_DIR" PULSE_RUNTIME_PATH="$TUCKAWAY_SOUND_DIR/run" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
        -L 'module-null-sink sink_name=tuckaway' \
        -L "module-native-protocol-unix socket=$TUCKAWAY_SOUND_DIR/socket auth-anonymous=1" \
        >"$TUCKAWAY_SOUND_DIR/pulseaudio.log" 2>&1 &
    TUCKAWAY_SOUND_PID=$!
    export PULSE_SERVER="unix:$TUCKAWAY_SOUND_DIR/socket"
    local _
    for _ in $(seq 1 100); do
        if pactl info >/dev/null 2>&1; then
            return 0
        fi
        kill -0 "$TUCKAWAY_SOUND_PID" 2>/dev/null || break
        sleep 0.1
    done
    echo "the sound server did not start; it said: $(tail -n 5 "$TUCKAWAY_SOUND_DIR/pulseaudio.log")" >&2
    tuckaway_sound_stop
    return 1
}

tuckaway_sound_stop() {
    if [ -n "${TUCKAWAY_SOUND_PID:-}" ]; then
        kill "$TUCKAWAY_SOUND_PID" 2>/dev/null || true
        wait "$TUCKAWAY_SOUND_PID" 2>/dev/null || true
        TUCKAWAY_SOUND_PID=
    fi
    unset PULSE_SERVER
    if [ -n "${TUCKAWAY_SOUND_DIR:-}" ]; then
        rm -rf -- "$TUCKAWAY_SOUND_DIR"
        TUCKAWAY_SOUND_DIR=
    fi
}
