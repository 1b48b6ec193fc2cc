# shellcheck shell=bash
# FreezeWhenHidden "1": a hidden game is suspended once it has settled, its
# frames and processor time stand still, and every way back (the restore key,
# a kill and the next start, a crash, Exit) gives it back running. With "0"
# it keeps running while hidden.

FREEZE_GAME="Quake 3: Arena"
FREEZE_PID=

# The frames the stand-in has logged so far.
frames() { grep '^frames ' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log" | tail -n 1 | cut -d' ' -f2; }
# Processor time of the stand-in's process so far, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$FREEZE_PID/stat"; }

# frames_move_in SECONDS / frames_stand_for SECONDS: the frame count over that
# long, and the processor time with it (a frame loop takes about half a core).
frames_move_in() {
    local before cpu
    before="$(frames)"
    cpu="$(cpu_ticks)"
    sleep "$1"
    [ "$(frames)" -gt "$before" ] && [ "$(($(cpu_ticks) - cpu))" -gt 5 ]
}
frames_stand_for() {
    local before cpu
    before="$(frames)"
    cpu="$(cpu_ticks)"
    sleep "$1"
    [ "$(frames)" = "$before" ] && [ "$(($(cpu_ticks) - cpu))" -le 2 ]
}
running() { frames_move_in 0.6; }
frozen() { frames_stand_for 0.6; }

# start_frozen_run [TUCKAWAY_EXE ARGS...]: the game with its frame loop, a
# focus window, FreezeWhenHidden "1", and Tuckaway (or the given program).
start_frozen_run() {
    tuckaway_reg add 'HKCU\Software\Tuckaway v1.10\options' /v FreezeWhenHidden /d "${FREEZE_OPTION:-1}" /f \
        >/dev/null 2>&1 || e2e_fail "could not set FreezeWhenHidden" || return 1
    e2e_preset_game "Quake III Arena" "$FREEZE_GAME" 0 || return 1
    e2e_start_standin game "$FREEZE_GAME" --frames || return 1
    FREEZE_PID=$E2E_STARTED_PID
    e2e_start_standin focus "e2e focus" || return 1
    if [ $# -gt 0 ]; then
        e2e_start tuckaway "$@"
    else
        e2e_start_tuckaway
    fi
    TUCKAWAY_PID=$E2E_STARTED_PID
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_wait_for "the game's frames to run" running
}

hide_frozen() {
    e2e_focus "$FREEZE_GAME" || return 1
    e2e_key_until ctrl+z "the game hidden" e2e_hidden "$FREEZE_GAME" || return 1
    E2E_TIMEOUT=5 e2e_wait_for "the game frozen" frozen || return 1
    e2e_holds 1 "the game's frames and processor time flat while hidden" frozen
}

scenario_a_frozen_game_costs_nothing_while_hidden_and_runs_after_the_restore() {
    start_frozen_run || return 1
    hide_frozen || return 1
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game back" e2e_visible "$FREEZE_GAME" || return 1
    e2e_wait_for "the game's frames to run again" running || return 1

    # Killed while frozen: the next start adopts the hide, and its restore resumes the game.
    e2e_log "hidden and given back once; now hidden to be killed"
    hide_frozen || return 1
    kill -KILL "$TUCKAWAY_PID"
    e2e_wait_for "Tuckaway to die" e2e_exited "$TUCKAWAY_PID" || return 1
    e2e_start_tuckaway again
    TUCKAWAY_PID=$E2E_STARTED_PID
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_holds 1 "the game still hidden and frozen" frozen || return 1
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game back" e2e_visible "$FREEZE_GAME" || return 1
    e2e_wait_for "the game's frames to run again" running || return 1

    # "&Exit" (the last of three items) while frozen: shown and running within a second.
    e2e_log "given back after the kill; now hidden for Exit"
    hide_frozen || return 1
    e2e_open_tray_menu || return 1
    e2e_choose_menu_item 2 3 || return 1
    E2E_TIMEOUT=1 e2e_wait_for "the game shown by Exit" e2e_visible "$FREEZE_GAME" || return 1
    E2E_TIMEOUT=2 e2e_wait_for "the game running after Exit" running || return 1
    e2e_wait_for "Tuckaway to end" e2e_exited "$TUCKAWAY_PID"
}

scenario_a_crash_while_frozen_leaves_the_game_shown_and_running() {
    start_frozen_run "$TUCKAWAY_E2E_HELPERS/tuckaway_with_fault.exe" crash-when-hidden "$FREEZE_GAME" 4500 || return 1
    hide_frozen || return 1
    e2e_wait_for "the program to crash" e2e_exited "$TUCKAWAY_PID" || return 1
    e2e_wait_for "the game shown again" e2e_visible "$FREEZE_GAME" || return 1
    e2e_wait_for "the game's frames to run again" running || return 1
    # The next start finds nothing left to resume: the game keeps running.
    e2e_start_tuckaway again
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_holds 1 "the game running" running
}

scenario_freeze_when_hidden_zero_keeps_the_hidden_game_running() {
    FREEZE_OPTION=0 start_frozen_run || return 1
    e2e_focus "$FREEZE_GAME" || return 1
    e2e_key_until ctrl+z "the game hidden" e2e_hidden "$FREEZE_GAME" || return 1
    e2e_holds 1 "the game's frames running while hidden" running
}
