# shellcheck shell=bash
# Sourced by run.sh: helpers for driving Tuckaway.exe in a Wine virtual desktop.
#
# Every wait here polls with a time limit; a fixed sleep is either too short on
# a busy machine or wastes time on an idle one.

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
E2E_REPO="$(cd "$E2E_DIR/../.." && pwd)"
# shellcheck source=../../scripts/xvfb.sh
. "$E2E_REPO/scripts/xvfb.sh"

: "${TUCKAWAY_EXE:=$E2E_REPO/build/i686/app/Tuckaway.exe}"
: "${TUCKAWAY_E2E_HELPERS:=$E2E_REPO/build/i686/tests/e2e}"
: "${TUCKAWAY_E2E_ARTIFACTS:=$E2E_REPO/build/e2e-artifacts}"
: "${E2E_TIMEOUT:=20}"

E2E_KEY='HKCU\Software\Tuckaway v1.10\program'
E2E_BOX_CAPTION='Tuckaway v1.0'
E2E_PIDS=()
E2E_PASSED=0
E2E_FAILED=0

e2e_log() { echo "    $*" >&2; }

# --- environment ------------------------------------------------------------

# Uses the display and wineserver the caller set up (TUCKAWAY_E2E_DISPLAY), or
# starts a private Xvfb and a wineserver of its own.
e2e_env_start() {
    export WINEPREFIX="${TUCKAWAY_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix}"
    export WINEDEBUG=-all
    # Titles such as "Jedi Knight®" reach Wine programs intact only in a UTF-8 locale.
    export LANG=C.UTF-8
    unset LC_ALL
    mkdir -p "$TUCKAWAY_E2E_ARTIFACTS"
    E2E_OWN_ENV=0
    if [ -n "${TUCKAWAY_E2E_DISPLAY:-}" ]; then
        export DISPLAY="$TUCKAWAY_E2E_DISPLAY"
    else
        E2E_OWN_ENV=1
        # A server left from another display would keep its desktop there.
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        tuckaway_start_xvfb || return 1
        export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
    fi
    wineserver -p
    # Starting any program brings up the virtual desktop; wait for it so the
    # first scenario does not pay for it inside its own time limits.
    e2e_probe display >/dev/null || return 1
    e2e_wait_for "the Wine virtual desktop" e2e_desktop_window >/dev/null || return 1
    # Typed keys go to the X focus; without a window manager that would follow
    # the pointer, which a click may leave outside the desktop.
    xdotool windowfocus "$(e2e_desktop_window)"
}

e2e_env_stop() {
    if [ "$E2E_OWN_ENV" = 1 ]; then
        wineserver -k 2>/dev/null || true
        wineserver -w 2>/dev/null || true
        tuckaway_stop_xvfb
    fi
}

# The X window of the virtual desktop.
e2e_desktop_window() {
    xdotool search --name ' - Wine desktop$' 2>/dev/null | head -n 1 | grep .
}

# A Windows path for a Unix one (Z: is the Unix root in every prefix).
e2e_winpath() {
    local path="$1"
    echo "Z:${path//\//\\}"
}

# --- processes --------------------------------------------------------------

# e2e_start NAME EXE [ARGS...]: starts a Windows program in the background, its
# output in the artifacts folder (a Wine program holding the shell's output
# would block any $(...) around it). Sets E2E_STARTED_PID.
e2e_start() {
    local name="$1" exe="$2"
    shift 2
    (cd "$(dirname "$exe")" && exec wine "./$(basename "$exe")" "$@") \
        >"$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.$name.out" 2>&1 &
    E2E_STARTED_PID=$!
    E2E_PIDS+=("$E2E_STARTED_PID")
}

e2e_start_tuckaway() {
    e2e_start "${1:-tuckaway}" "$TUCKAWAY_EXE"
}

# e2e_start_standin NAME TITLE [ARGS...]: waits until its window exists.
e2e_start_standin() {
    local name="$1" title="$2"
    shift 2
    local log="$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.$name.log"
    rm -f "$log"
    e2e_start "$name" "$TUCKAWAY_E2E_HELPERS/standin_game.exe" "$title" --log "$(e2e_winpath "$log")" "$@"
    e2e_wait_for "stand-in window '$title'" grep -qs '^started' "$log"
}

# Alive and not a zombie (the shell has not collected it yet).
e2e_running() {
    local pid="$1" stat
    stat="$(cat "/proc/$pid/stat" 2>/dev/null)" || return 1
    stat="${stat##*) }"
    [ "${stat%% *}" != Z ]
}

e2e_exited() { ! e2e_running "$1"; }

# Ends every program the scenario started and waits until their windows are gone.
e2e_stop_all() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    E2E_PIDS=()
    e2e_wait_for "the scenario's windows to close" e2e_no_test_windows >/dev/null || true
}

e2e_no_test_windows() {
    ! e2e_probe windows | awk -F'\t' '$4 == "TuckawayStandinGame" || $5 == "v" || $5 == "'"$E2E_BOX_CAPTION"'"' |
        grep -q .
}

# --- waiting ----------------------------------------------------------------

# e2e_wait_for DESCRIPTION COMMAND...: runs COMMAND every 0.2 s until it succeeds
# or E2E_TIMEOUT seconds pass; then says what it waited for.
e2e_wait_for() {
    local what="$1"
    shift
    local deadline=$((SECONDS + E2E_TIMEOUT))
    while ! "$@"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            e2e_log "timed out after ${E2E_TIMEOUT}s waiting for $what"
            return 1
        fi
        sleep 0.2
    done
}

# --- looking at the desktop -------------------------------------------------

e2e_probe() {
    timeout 30 wine "$TUCKAWAY_E2E_HELPERS/probe.exe" "$@" 2>/dev/null
}

e2e_window_exists() {
    e2e_probe windows | awk -F'\t' -v t="$1" '$5 == t { found = 1 } END { exit !found }'
}

e2e_visible() { [ "$(e2e_probe visible "$1")" = 1 ]; }
e2e_hidden() { [ "$(e2e_probe visible "$1")" = 0 ]; }

e2e_foreground_is() { [ "$(e2e_probe foreground | cut -f2-)" = "$1" ]; }
e2e_foreground_is_not() { ! e2e_foreground_is "$1"; }

# e2e_box_says CAPTION TEXT: a visible dialog box with this caption shows exactly this text.
e2e_box_says() {
    e2e_probe boxes | awk -F'\t' -v c="$1" -v t="$2" '$2 == c && $3 == t { found = 1 } END { exit !found }'
}

e2e_no_box() {
    ! e2e_probe boxes | awk -F'\t' -v c="$1" '$2 == c' | grep -q .
}

e2e_display_is() { [ "$(e2e_probe display)" = "$1"$'\t'"$2" ]; }

e2e_focus() {
    e2e_probe focus "$1" >/dev/null && e2e_wait_for "'$1' to be the foreground window" e2e_foreground_is "$1"
}

# Types a key combination for real, through the X server.
e2e_key() {
    xdotool key --delay 50 "$1"
}

# e2e_key_until COMBO DESCRIPTION COMMAND...: types the keys and waits for the
# effect. A key typed while Wine is still settling a focus change can be lost
# (seen in the first half second after a window appears), so it is typed once
# more before giving up; a key that never works still fails.
e2e_key_until() {
    local combo="$1" what="$2"
    shift 2
    e2e_key "$combo"
    if E2E_TIMEOUT=5 e2e_wait_for "$what" "$@" 2>/dev/null; then
        return 0
    fi
    e2e_log "no effect 5 s after $combo; typing it again"
    e2e_key "$combo"
    e2e_wait_for "$what after $combo" "$@"
}

e2e_screenshot() {
    import -display "$DISPLAY" -window root "$TUCKAWAY_E2E_ARTIFACTS/$1.png" 2>/dev/null || true
}

# --- settings ---------------------------------------------------------------

e2e_reg_reset() {
    wine reg delete 'HKCU\Software\Tuckaway v1.10' /f >/dev/null 2>&1 || true
    ! wine reg query "$E2E_KEY" >/dev/null 2>&1
}

e2e_reg_set() {
    wine reg add "$E2E_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
}

# e2e_reg_is NAME TYPE VALUE: the value exists with this type and exactly this
# data (trailing blanks count). reg prints non-ASCII text in the console code
# page: compare ASCII values only.
e2e_reg_is() {
    local line
    line="$(wine reg query "$E2E_KEY" /v "$1" 2>/dev/null | tr -d '\r' | grep "^    $1    ")" || return 1
    [ "$line" = "    $1    $2    $3" ]
}

# --- scenarios --------------------------------------------------------------

# e2e_fail MESSAGE: the scenario's check that failed; used as `|| e2e_fail ...`.
e2e_fail() {
    e2e_log "FAILED: $*"
    return 1
}

# Runs one scenario function in a subshell, so nothing it sets leaks into the
# next one, and records the result; on failure it keeps a screenshot and what
# the desktop and the registry looked like.
e2e_run_scenario() {
    local name="$1" started=$SECONDS result=0
    E2E_SCENARIO="$name"
    rm -f "$TUCKAWAY_E2E_ARTIFACTS/$name".*
    (
        e2e_reg_reset || e2e_fail "could not clear $E2E_KEY" || exit 1
        "$name"
        result=$?
        if [ "$result" -ne 0 ]; then
            e2e_screenshot "$name.failed"
            e2e_probe windows >"$TUCKAWAY_E2E_ARTIFACTS/$name.windows.txt"
            e2e_probe boxes >"$TUCKAWAY_E2E_ARTIFACTS/$name.boxes.txt"
            wine reg query "$E2E_KEY" >"$TUCKAWAY_E2E_ARTIFACTS/$name.registry.txt" 2>&1
        fi
        e2e_stop_all
        # A scenario that changed the display mode must not leave it to the next one.
        if ! e2e_display_is 1024 768; then
            e2e_probe setmode 1024 768 >/dev/null
        fi
        exit "$result"
    ) || result=1
    if [ "$result" -eq 0 ]; then
        E2E_PASSED=$((E2E_PASSED + 1))
        echo "PASS $name ($((SECONDS - started)) s)"
    else
        E2E_FAILED=$((E2E_FAILED + 1))
        echo "FAIL $name ($((SECONDS - started)) s; see $TUCKAWAY_E2E_ARTIFACTS/$name.*)"
    fi
}
