# shellcheck shell=bash
# With no settings yet, Tuckaway writes its seven defaults on start.

scenario_first_run() {
    e2e_start_tuckaway
    local expected=(
        "HideQ3Func|Control"
        "ShowQ3Func|Control+Shift"
        "HideQ3Key|Z"
        "ShowQ3Key|Z"
        "currentgame_display|-=Automatic Game Detection=-"
        "currentgame| "
        "DynaScreen|1"
    )
    local entry
    for entry in "${expected[@]}"; do
        e2e_wait_for "${entry%%|*} = '${entry#*|}'" e2e_reg_is "${entry%%|*}" REG_SZ "${entry#*|}" || return 1
    done
    e2e_running "$E2E_STARTED_PID" || e2e_fail "Tuckaway exited"
}
