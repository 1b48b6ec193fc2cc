# shellcheck shell=bash
# The hide key hides the chosen game's window; the restore key brings it back
# to the front.

# hide_and_restore DISPLAY_NAME WINDOW_TITLE
hide_and_restore() {
    local name="$1" title="$2"
    e2e_reg_set currentgame_display "$name" &&
        e2e_reg_set currentgame "$title" &&
        e2e_reg_set DynaScreen 0 || e2e_fail "could not preset the settings" || return 1

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
