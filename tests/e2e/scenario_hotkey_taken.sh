# shellcheck shell=bash
# When another program holds the hide key, Tuckaway says which key failed; the
# restore key still works.

scenario_hotkey_taken() {
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 0 || return 1

    local holder="$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.holder.out"
    e2e_start holder "$TUCKAWAY_E2E_HELPERS/hold_hotkey.exe" 2 0x5A # MOD_CONTROL, 'Z'
    e2e_wait_for "Control+Z to be held" grep -qs '^held' "$holder" || return 1

    e2e_start_standin game "Quake 3: Arena" || return 1
    e2e_start_standin focus "e2e focus" || return 1
    e2e_start_tuckaway
    local text="Could not register 'Control+Z' to hide the game. Another program may already be using that"
    text+=" key combination. Please enter in a different key combination for it."
    e2e_wait_for "the 'could not register' box" e2e_box_says "$E2E_BOX_CAPTION" "$text" || return 1
    e2e_probe click-box-button "$E2E_BOX_CAPTION" OK >/dev/null || e2e_fail "no OK button" || return 1
    e2e_wait_for "the box to close" e2e_no_box "$E2E_BOX_CAPTION" || return 1
    e2e_running "$E2E_STARTED_PID" || e2e_fail "Tuckaway exited" || return 1

    e2e_probe hide "Quake 3: Arena" >/dev/null
    e2e_wait_for "the game to be hidden" e2e_hidden "Quake 3: Arena" || return 1
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game to be visible again" e2e_visible "Quake 3: Arena"
}
