# shellcheck shell=bash
# The hide key hides the chosen game's window; the restore key brings it back
# to the front.

# hide_and_restore DISPLAY_NAME WINDOW_TITLE
hide_and_restore() {
    local name="$1" title="$2"
    e2e_preset_game "$name" "$title" 0 || return 1

    e2e_start_standin game "$title" || return 1
    e2e_start_standin focus "e2e focus" || return 1
    e2e_start_tuckaway
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1

    e2e_focus "$title" || return 1
    e2e_key_until ctrl+z "'$title' to be hidden" e2e_hidden "$title" || return 1
    e2e_foreground_is_not "$title" || e2e_fail "the hidden game is still the foreground window" || return 1

    # The keys reach the hot keys only while some Wine window has the focus.
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "'$title' to be visible" e2e_visible "$title" || return 1
    e2e_wait_for "'$title' to be the foreground window" e2e_foreground_is "$title" || return 1
    e2e_running "$E2E_STARTED_PID" || e2e_fail "Tuckaway exited"
}

scenario_hide_restore_quake3() {
    hide_and_restore "Quake III Arena" "Quake 3: Arena"
}

scenario_hide_restore_jedi_academy() {
    hide_and_restore "Star Wars: Jedi Knight: Jedi Academy (SP)" "Jedi Knight®: Jedi Academy"
}

# A game that minimises itself a moment after it loses the activation, as
# full-screen games built on SDL do, which shows it again on the taskbar: the
# hide sticks all the same, and the restore key brings it back un-minimised and
# in front. Once the user has it back, its minimising is its own business.
scenario_hide_sticks_when_the_game_minimizes_itself() {
    local title="Quake 3: Arena"
    e2e_preset_game "Quake III Arena" "$title" 0 || return 1
    e2e_start_tuckaway
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_start_standin focus "e2e focus" || return 1
    # Last, so that it starts active and shown.
    e2e_start_standin game "$title" --minimize-when-deactivated 200 || return 1
    GAME_LOG="$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log"

    e2e_focus "$title" || return 1
    local before
    before="$(minimized_count)"
    e2e_key_until ctrl+z "the game to minimise itself after the hide" minimized_since "$before" || return 1
    e2e_wait_for "the game to be hidden again" e2e_state_is "$title" hidden || return 1

    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game shown, not minimised" e2e_state_is "$title" shown || return 1
    e2e_wait_for "the game to be the foreground window" e2e_foreground_is "$title" || return 1

    # The user turns to another window: the game minimises itself and stays so.
    before="$(minimized_count)"
    e2e_focus "e2e focus" || return 1
    e2e_wait_for "the game to minimise itself" minimized_since "$before" || return 1
    e2e_holds 1 "the game the user had back stays minimised" e2e_state_is "$title" minimized
}

minimized_count() { grep -c '^minimized' "$GAME_LOG"; }
minimized_since() { [ "$(minimized_count)" -gt "$1" ]; }
