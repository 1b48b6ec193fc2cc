# shellcheck shell=bash
# Sourced by run.sh: helpers for driving Tuckaway.exe in a Wine virtual desktop.
#
# Every wait here polls with a time limit; a fixed sleep is either too short on
# a busy machine or wastes time on an idle one.

E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
E2E_REPO="$(cd "$E2E_DIR/../.." && pwd)"
# shellcheck source=../../scripts/xvfb.sh
. "$E2E_REPO/scripts/xvfb.sh"
# shellcheck source=../../scripts/wine-env.sh
. "$E2E_REPO/scripts/wine-env.sh"
# shellcheck source=../../scripts/sound.sh
. "$E2E_REPO/scripts/sound.sh"

: "${TUCKAWAY_EXE:=$E2E_REPO/build/$TUCKAWAY_WINE_ARCH/app/Tuckaway.exe}"
: "${TUCKAWAY_E2E_HELPERS:=$E2E_REPO/build/$TUCKAWAY_WINE_ARCH/tests/e2e}"
: "${TUCKAWAY_E2E_ARTIFACTS:=$E2E_REPO/build/e2e-artifacts}"
: "${E2E_TIMEOUT:=20}"
: "${E2E_SCENARIO_TIMEOUT:=120}"

E2E_KEY='HKCU\Software\Tuckaway v1.10\program'
# Where Wine reads the display's scaling (LogPixels) for every program started after a change.
E2E_SCALING_KEY='HKCU\Control Panel\Desktop'
E2E_BOX_CAPTION='Tuckaway v1.0'
E2E_PIDS=()
E2E_RUNNING_GROUP=
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
        tuckaway_wineserver_stop
        tuckaway_start_xvfb || return 1
        export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
    fi
    wineserver -p
    tuckaway_sound_start || return 1
    # Starting any program brings up the virtual desktop; wait for it so the
    # first scenario does not pay for it inside its own time limits.
    e2e_probe display >/dev/null || return 1
    tuckaway_wait_for_desktop "$E2E_TIMEOUT" || return 1
    # Typed keys go to the X focus; without a window manager that would follow
    # the pointer, which a click may leave outside the desktop.
    xdotool windowfocus "$(e2e_desktop_window)"
}

e2e_env_stop() {
    # A run cut short (Ctrl+C, say) leaves no scenario behind.
    if [ -n "$E2E_RUNNING_GROUP" ]; then
        kill -KILL -- "-$E2E_RUNNING_GROUP" 2>/dev/null
    fi
    tuckaway_sound_stop
    if [ "${E2E_OWN_ENV:-0}" = 1 ]; then
        tuckaway_wineserver_stop
        tuckaway_stop_xvfb
    fi
}

# The X window of the virtual desktop.
e2e_desktop_window() { tuckaway_desktop_window; }

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

# e2e_start_editor NAME TITLE: a stand-in for a program the user types in
# (standin_editor.exe, its log in E2E_EDITOR_LOG); waits until its window exists.
e2e_start_editor() {
    local name="$1" title="$2"
    E2E_EDITOR_LOG="$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.$name.log"
    rm -f "$E2E_EDITOR_LOG"
    e2e_start "$name" "$TUCKAWAY_E2E_HELPERS/standin_editor.exe" "$title" --log "$(e2e_winpath "$E2E_EDITOR_LOG")"
    e2e_wait_for "stand-in editor '$title'" grep -qs '^started' "$E2E_EDITOR_LOG"
}

# Alive and not a zombie (the shell has not collected it yet).
e2e_running() {
    local pid="$1" stat
    stat="$(cat "/proc/$pid/stat" 2>/dev/null)" || return 1
    stat="${stat##*) }"
    [ "${stat%% *}" != Z ]
}

e2e_exited() { ! e2e_running "$1"; }

e2e_standin_windows() {
    e2e_probe windows | awk -F'\t' '$4 == "TuckawayStandinGame" { print $1 }'
}
e2e_no_standin_windows() { [ -z "$(e2e_standin_windows)" ]; }

# Ends every program the scenario started and waits until their windows are gone.
e2e_stop_all() {
    local pid window
    # Under Wine 8 the wineserver crashes when a program that switched the
    # display mode ends after others stored two other modes in the registry
    # (as Tuckaway's switches do): the desktop's mode is stored again first,
    # and the stand-ins are asked to close rather than killed.
    if ! e2e_no_standin_windows; then
        e2e_probe setmode 1024 768 save >/dev/null
    fi
    for window in $(e2e_standin_windows); do
        e2e_probe close "$window" >/dev/null
    done
    E2E_TIMEOUT=5 e2e_wait_for "the stand-ins to close" e2e_no_standin_windows >/dev/null || true
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
    ! e2e_probe windows |
        awk -F'\t' '$4 == "TuckawayStandinGame" || $4 == "TuckawayStandinEditor" || $5 == "v" || $5 == "'"$E2E_BOX_CAPTION"'"' |
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

# e2e_holds SECONDS DESCRIPTION COMMAND...: COMMAND keeps succeeding for that
# long (checked every 0.2 s). For what must not happen there is nothing to
# poll for: this is the one kind of check that takes a fixed time.
e2e_holds() {
    local seconds="$1" what="$2"
    shift 2
    local deadline=$((SECONDS + seconds))
    while [ "$SECONDS" -le "$deadline" ]; do
        "$@" || { e2e_log "no longer true within ${seconds}s: $what"; return 1; }
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
e2e_no_window() { ! e2e_window_exists "$1"; }

e2e_visible() { [ "$(e2e_probe visible "$1")" = 1 ]; }
# e2e_state_is TITLE hidden|minimized|shown
e2e_state_is() { [ "$(e2e_probe state "$1")" = "$2" ]; }
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

# e2e_x_focus TITLE: gives the X focus to the X window of the Wine window with
# this title. In a virtual desktop every top-level Wine window has an X window
# of its own, and keys typed through the X server reach a program's windows
# only while one of its X windows has the X focus; Wine leaves the X focus
# where it was when another program (the probe, Tuckaway) brings a window to
# the front, and a click on the tray leaves it with the taskbar.
e2e_x_focus() {
    local window
    window="$(xdotool search --name "^$1\$" 2>/dev/null | head -n 1)"
    [ -n "$window" ] || { e2e_log "no X window named '$1'"; return 1; }
    xdotool windowfocus "$window"
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

# --- mouse, controls, tray and menu ----------------------------------------

# Class names of Tuckaway's two dialogs, for the scenarios.
# shellcheck disable=SC2034
E2E_MAIN_DIALOG='Tuckaway.frmAbout'
# shellcheck disable=SC2034
E2E_HOTKEY_DIALOG='Tuckaway.Form1'

# e2e_click X Y [BUTTON] [COUNT]: clicks for real at a point of the Wine desktop
# (its screen coordinates; the desktop's X window starts at the X origin).
e2e_click() {
    xdotool mousemove --window "$(e2e_desktop_window)" "$1" "$2" click --repeat "${4:-1}" --delay 80 "${3:-1}"
}

# e2e_drag X1 Y1 X2 Y2: holds the left button at the first point and moves to
# the second in ten steps (a window's move loop starts on the first step).
e2e_drag() {
    local desktop i
    desktop="$(e2e_desktop_window)"
    xdotool mousemove --window "$desktop" "$1" "$2" mousedown 1
    for i in 1 2 3 4 5 6 7 8 9 10; do
        sleep 0.05
        xdotool mousemove --window "$desktop" $(($1 + ($3 - $1) * i / 10)) $(($2 + ($4 - $2) * i / 10))
    done
    sleep 0.1
    xdotool mouseup 1
}

# e2e_window_field CLASS FIELD: a field of `probe windows` for the first
# top-level window of that class (1 hwnd, 2 visible, 3 rect, 5 title).
e2e_window_field() {
    e2e_probe windows | awk -F'\t' -v c="$1" -v f="$2" '$4 == c { print $f; exit }'
}

e2e_class_visible() { [ "$(e2e_window_field "$1" 2)" = 1 ]; }
e2e_class_hidden() { [ "$(e2e_window_field "$1" 2)" = 0 ]; }
e2e_class_gone() { [ -z "$(e2e_window_field "$1" 1)" ]; }

# e2e_control CLASS ID FIELD: a field of `probe control` for a dialog's control
# (1 hwnd, 2 visible, 3 enabled, 4 screen rect, 5 checked, 6 text).
e2e_control() {
    e2e_probe control "$1" "$2" | cut -f"$3"
}

e2e_control_text_is() { [ "$(e2e_control "$1" "$2" 6)" = "$3" ]; }

# e2e_click_control CLASS ID: clicks the middle of a control.
e2e_click_control() {
    local rect left top right bottom
    rect="$(e2e_control "$1" "$2" 4)"
    IFS=, read -r left top right bottom <<<"$rect"
    [ -n "$bottom" ] || { e2e_log "no control $2 in $1"; return 1; }
    e2e_click $(((left + right) / 2)) $(((top + bottom) / 2))
}

# e2e_focused_is CLASS ID: the control with the keyboard focus.
e2e_focused_is() {
    local hwnd
    hwnd="$(e2e_control "$1" "$2" 1)"
    [ -n "$hwnd" ] && [ "$(e2e_probe focused | cut -f1)" = "$hwnd" ]
}

# e2e_click_field CLASS ID: clicks into a control and waits until it has the focus.
e2e_click_field() {
    e2e_click_control "$1" "$2" &&
        e2e_wait_for "control $2 of $1 to have the focus" e2e_focused_is "$1" "$2"
}

# The tray icon's centre: bottom right of the current display mode. Right
# after a mode change the desktop's window and its taskbar follow a moment
# later; a click before they have lands beside the icon, so it waits (3 s at
# most) until the icon is drawn in its place.
e2e_tray_click() {
    local size
    E2E_TIMEOUT=3 e2e_wait_for "the tray icon in its place before a click" e2e_tray_icon_shown ||
        e2e_screenshot "$E2E_SCENARIO.tray-click"
    size="$(e2e_probe display)"
    e2e_click $((${size%%$'\t'*} - 11)) $((${size##*$'\t'} - 10)) "$@"
}

# The open pop-up menu's rect ("left,top,right,bottom"), if one is open.
e2e_menu_rect() {
    e2e_probe windows | awk -F'\t' '$4 == "#32768" && $2 == 1 { print $3; found = 1; exit } END { exit !found }'
}
e2e_no_menu() { ! e2e_menu_rect >/dev/null; }

# Opens the tray menu with a right click; sets E2E_MENU_RECT and E2E_MENU_HEIGHT.
e2e_open_tray_menu() {
    e2e_tray_click 3
    e2e_wait_for "the tray menu" e2e_menu_rect >/dev/null || return 1
    E2E_MENU_RECT="$(e2e_menu_rect)"
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$E2E_MENU_RECT"
    # shellcheck disable=SC2034 # for the scenarios
    E2E_MENU_HEIGHT=$((bottom - top))
}

# e2e_choose_menu_item INDEX COUNT: clicks item INDEX (from 0) of the open
# menu of COUNT items (the probe cannot read another process's menu, so an item
# is found by position) and waits for the menu to close.
e2e_choose_menu_item() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$E2E_MENU_RECT"
    e2e_click $(((left + right) / 2)) $((top + (bottom - top) * (2 * $1 + 1) / (2 * $2)))
    e2e_wait_for "the menu to close" e2e_no_menu
}

# Closes the open menu without choosing: a click on the empty desktop.
e2e_close_menu() {
    e2e_click 20 20
    e2e_wait_for "the menu to close" e2e_no_menu
}

# e2e_press_together KEYS...: holds the keys down in this order, then releases them in reverse.
e2e_press_together() {
    local reversed=() key
    for key in "$@"; do
        reversed=("$key" "${reversed[@]}")
    done
    xdotool keydown --delay 50 "$@"
    sleep 0.1
    xdotool keyup --delay 50 "${reversed[@]}"
}

# Rests the pointer on the tray icon, coming from elsewhere so that its tip comes up.
e2e_hover_tray() {
    local size desktop
    size="$(e2e_probe display)"
    desktop="$(e2e_desktop_window)"
    xdotool mousemove --window "$desktop" $((${size%%$'\t'*} - 60)) $((${size##*$'\t'} - 60))
    xdotool mousemove --window "$desktop" $((${size%%$'\t'*} - 11)) $((${size##*$'\t'} - 10))
}

# e2e_tip_is TEXT: a visible tip shows exactly TEXT.
e2e_tip_is() { e2e_probe tips | grep -qxF -- "$1"; }

# A checksum of the tray icon's pixels (the 16x16 square around its centre),
# or with an offset, of the square OFFSET pixels to its left.
e2e_tray_icon_sum() {
    local size
    size="$(e2e_probe display)"
    import -display "$DISPLAY" -window root \
        -crop "16x16+$((${size%%$'\t'*} - 19 - ${1:-0}))+$((${size##*$'\t'} - 18))" +repage rgb:- 2>/dev/null |
        md5sum | cut -d' ' -f1
}

e2e_tray_icon_is_not() { [ "$(e2e_tray_icon_sum)" != "$1" ]; }

# The tray shows no icon: its square looks like the empty taskbar left of it.
e2e_tray_icon_absent() { [ "$(e2e_tray_icon_sum)" = "$(e2e_tray_icon_sum 40)" ]; }
e2e_tray_icon_shown() { ! e2e_tray_icon_absent; }

# e2e_hotkey_free NAME MODIFIERS KEY: another program can register this
# combination (so nothing, Tuckaway included, holds it); the helper lets it go at once.
e2e_hotkey_free() {
    local out="$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.$1.out"
    e2e_start "$1" "$TUCKAWAY_E2E_HELPERS/hold_hotkey.exe" "$2" "$3"
    local pid=$E2E_STARTED_PID
    e2e_wait_for "hold_hotkey $2 $3 to answer" grep -qsE '^(held|failed)' "$out" || return 1
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    grep -qs '^held' "$out"
}

# --- settings ---------------------------------------------------------------

e2e_reg_reset() {
    tuckaway_reg delete 'HKCU\Software\Tuckaway v1.10' /f >/dev/null 2>&1 || true
    ! tuckaway_reg query "$E2E_KEY" >/dev/null 2>&1
}

# e2e_scaling DPI: the scaling programs started from now on run at.
e2e_scaling() {
    tuckaway_reg add "$E2E_SCALING_KEY" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

# Back to the prefix's own: no LogPixels value, 96 dpi.
e2e_scaling_reset() {
    tuckaway_reg delete "$E2E_SCALING_KEY" /v LogPixels /f >/dev/null 2>&1 || true
    ! tuckaway_reg query "$E2E_SCALING_KEY" /v LogPixels >/dev/null 2>&1
}

e2e_reg_set() {
    tuckaway_reg add "$E2E_KEY" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1
}

# e2e_preset_game DISPLAY_NAME WINDOW_TITLE SWITCH: the stored choice of game
# and resolution switch (0 or 1) the program starts with.
e2e_preset_game() {
    if ! { e2e_reg_set currentgame_display "$1" && e2e_reg_set currentgame "$2" &&
        e2e_reg_set DynaScreen "$3"; }; then
        e2e_fail "could not preset the settings"
    fi
}

# e2e_reg_is NAME TYPE VALUE: the value exists with this type and exactly this
# data (trailing blanks count). reg prints non-ASCII text in the console code
# page: compare ASCII values only.
e2e_reg_is() {
    local line
    line="$(tuckaway_reg query "$E2E_KEY" /v "$1" 2>/dev/null | tr -d '\r' | grep "^    $1    ")" || return 1
    [ "$line" = "    $1    $2    $3" ]
}

# --- scenarios --------------------------------------------------------------

# e2e_fail MESSAGE: the scenario's check that failed; used as `|| e2e_fail ...`.
e2e_fail() {
    e2e_log "FAILED: $*"
    return 1
}

# Runs one scenario function in a subshell of its own process group, so nothing
# it sets leaks into the next one and a watchdog can end it, with every program
# it started, when it runs out of time (E2E_SCENARIO_TIMEOUT). Records the
# result; on failure it keeps a screenshot and what the desktop and the
# registry looked like, and shows the tail of the scenario's log.
e2e_run_scenario() {
    local name="$1" started=$SECONDS result=0 pid timed_out=0
    local log="$TUCKAWAY_E2E_ARTIFACTS/$name.log"
    E2E_SCENARIO="$name"
    rm -f "$TUCKAWAY_E2E_ARTIFACTS/$name".*
    # Job control for this one job only: it gets a process group of its own.
    set -m
    (
        # A mode stored by an earlier run would come back when a program resets the display.
        e2e_probe setmode 1024 768 save >/dev/null || e2e_fail "could not set the display to 1024x768" || exit 1
        e2e_reg_reset || e2e_fail "could not clear $E2E_KEY" || exit 1
        # Nor may a scaling left by a scenario cut short.
        e2e_scaling_reset || e2e_fail "could not put the scaling back to 96 dpi" || exit 1
        "$name"
        result=$?
        if [ "$result" -ne 0 ]; then
            e2e_screenshot "$name.failed"
            e2e_probe windows >"$TUCKAWAY_E2E_ARTIFACTS/$name.windows.txt"
            e2e_probe boxes >"$TUCKAWAY_E2E_ARTIFACTS/$name.boxes.txt"
            tuckaway_reg query "$E2E_KEY" >"$TUCKAWAY_E2E_ARTIFACTS/$name.registry.txt" 2>&1
        fi
        e2e_stop_all
        # A scenario that changed the display mode must not leave it to the next one.
        if ! e2e_display_is 1024 768; then
            e2e_probe setmode 1024 768 >/dev/null
        fi
        exit "$result"
    ) </dev/null >"$log" 2>&1 &
    pid=$!
    set +m
    E2E_RUNNING_GROUP=$pid
    local deadline=$((SECONDS + E2E_SCENARIO_TIMEOUT))
    while e2e_running "$pid"; do
        if [ "$SECONDS" -ge "$deadline" ]; then
            timed_out=1
            e2e_watchdog "$pid" >>"$log" 2>&1
            break
        fi
        sleep 0.2
    done
    # Quietly: bash would otherwise report a killed job with all its code.
    { wait "$pid"; } 2>/dev/null || result=1
    E2E_RUNNING_GROUP=
    if [ "$timed_out" = 1 ]; then
        e2e_after_watchdog >>"$log" 2>&1
    fi
    if [ "$result" -eq 0 ]; then
        E2E_PASSED=$((E2E_PASSED + 1))
        echo "PASS $name ($E2E_ARCH build, $((SECONDS - started)) s)"
        return
    fi
    E2E_FAILED=$((E2E_FAILED + 1))
    if [ "$timed_out" = 1 ]; then
        echo "FAIL $name ($E2E_ARCH build, $((SECONDS - started)) s; its ${E2E_SCENARIO_TIMEOUT} s ran out and the watchdog ended it with every program it started)"
    else
        echo "FAIL $name ($E2E_ARCH build, $((SECONDS - started)) s)"
    fi
    echo "    --- the last lines of $log (more in $TUCKAWAY_E2E_ARTIFACTS/$name.*):"
    tail -n 25 "$log" | sed 's/^/    | /'
}

# e2e_watchdog PGID: ends a scenario that ran out of time, and every process of
# its group: the Wine programs it started and whatever it was waiting on.
e2e_watchdog() {
    e2e_log "watchdog: no result after ${E2E_SCENARIO_TIMEOUT}s; ending the scenario and its programs"
    e2e_screenshot "$E2E_SCENARIO.timeout"
    # As in e2e_stop_all: the desktop's mode is stored first, or ending a
    # stand-in that switched modes can crash the wineserver.
    if ! e2e_no_standin_windows; then
        e2e_probe setmode 1024 768 save >/dev/null
    fi
    e2e_log "watchdog: ending processes $(pgrep -g "$1" | tr '\n' ' ')"
    kill -KILL -- "-$1" 2>/dev/null
}

# What a scenario ended by the watchdog had no chance to clean up.
e2e_after_watchdog() {
    e2e_wait_for "the scenario's windows to close" e2e_no_test_windows >/dev/null ||
        e2e_log "watchdog: some of the scenario's windows are still there"
    if ! e2e_display_is 1024 768; then
        e2e_probe setmode 1024 768 >/dev/null
    fi
}
