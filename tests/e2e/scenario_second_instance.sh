# shellcheck shell=bash
# A second Tuckaway says so and leaves; the first one keeps running.

scenario_second_instance() {
    e2e_start_tuckaway first
    local first=$E2E_STARTED_PID
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1

    e2e_start_tuckaway second
    local second=$E2E_STARTED_PID
    e2e_wait_for "the 'already open' box" e2e_box_says "$E2E_BOX_CAPTION" "Tuckaway is already open!" || return 1
    e2e_probe click-box-button "$E2E_BOX_CAPTION" OK >/dev/null || e2e_fail "no OK button" || return 1
    e2e_wait_for "the second instance to exit" e2e_exited "$second" || return 1
    e2e_no_box "$E2E_BOX_CAPTION" || e2e_fail "a box is still open" || return 1

    e2e_running "$first" || e2e_fail "the first instance exited" || return 1
    e2e_window_exists v || e2e_fail "the first instance's dialog 'v' is gone"
}
