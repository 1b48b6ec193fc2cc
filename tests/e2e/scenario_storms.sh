# shellcheck shell=bash
# Storms leave no leak: 1,000 hot-key presses, hide and restore by turns, and
# 200 tray menus opened and dismissed leave the program running, the game
# visible after the last restore, and the program's GDI and USER objects
# where they were before (within a handful). Driven through
# tuckaway_counted.exe, the program as its entry point builds it plus a
# window that counts the objects: under Wine GetGuiResources reports 0.

STORM_SLACK=5

# counts: "GDI USER" of the running program.
counts() {
    echo "$(e2e_probe send Tuckaway.Counts 0x8000 0 0) $(e2e_probe send Tuckaway.Counts 0x8001 0 0)"
}

scenario_storms_leave_no_leak() {
    local counted="$TUCKAWAY_E2E_HELPERS/tuckaway_counted.exe" pid before after
    [ -f "$counted" ] || e2e_fail "no tuckaway_counted.exe in $TUCKAWAY_E2E_HELPERS (it is built with the whole tree)" ||
        return 1
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 0 || return 1
    e2e_start_standin game "Quake 3: Arena" || return 1
    e2e_start counted "$counted"
    pid=$E2E_STARTED_PID
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1

    # One of each first: whatever is made once and kept (logos, fonts) is made by then.
    e2e_probe hotkey-storm 2 >/dev/null && e2e_probe menu-storm 1 >/dev/null ||
        e2e_fail "the first press or menu did not go through" || return 1
    before="$(counts)"
    e2e_log "GDI and USER objects before: $before"

    e2e_probe hotkey-storm 1000 >&2 || e2e_fail "the hot-key storm did not go through" || return 1
    e2e_probe menu-storm 200 >&2 || e2e_fail "the menu storm did not go through" || return 1
    e2e_running "$pid" || e2e_fail "the program died in the storm" || return 1
    # The restores are requests the game takes in its own time.
    e2e_wait_for "the game visible after the last restore" e2e_visible "Quake 3: Arena" || return 1
    after="$(counts)"
    e2e_log "GDI and USER objects after:  $after"

    local gdi0 user0 gdi1 user1
    read -r gdi0 user0 <<<"$before"
    read -r gdi1 user1 <<<"$after"
    [ "$user0" -gt 0 ] || e2e_fail "the USER objects could not be counted" || return 1
    # 32-bit Wine keeps no GDI handle table where Windows has it (the PEB's
    # GdiSharedHandleTable is null there): the counter answers -1, and only
    # the USER objects can be compared.
    if [ "${#gdi0}" -gt 5 ]; then
        e2e_log "the GDI objects cannot be counted in this build under Wine; USER objects only"
    else
        [ "$gdi0" -gt 0 ] || e2e_fail "the GDI objects could not be counted" || return 1
        within_slack "$gdi0" "$gdi1" || e2e_fail "GDI objects went from $gdi0 to $gdi1" || return 1
    fi
    within_slack "$user0" "$user1" || e2e_fail "USER objects went from $user0 to $user1"
}

# within_slack BEFORE AFTER
within_slack() {
    local difference=$(($2 - $1))
    [ "${difference#-}" -le "$STORM_SLACK" ]
}
