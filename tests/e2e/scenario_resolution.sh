# shellcheck shell=bash
# Starting Tuckaway and a game leaves the display as it was.

scenario_resolution() {
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 1 || return 1
    e2e_display_is 1024 768 || e2e_fail "the desktop is not 1024x768 to begin with" || return 1

    e2e_start_tuckaway
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_start_standin game "Quake 3: Arena" || return 1
    e2e_display_is 1024 768 || e2e_fail "the display is $(e2e_probe display | tr '\t' x), not 1024x768" || return 1
    grep -q 'screen=1024x768' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log" ||
        e2e_fail "the game saw another screen size"
}
