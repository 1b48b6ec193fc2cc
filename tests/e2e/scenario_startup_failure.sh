# shellcheck shell=bash
# A start-up that cannot register a window class, create a window or decode
# its skins says so in one box and exits with a non-zero code, leaving the
# settings as they were. Driven through tuckaway_with_fault.exe, the program
# as its entry point builds it with one fault injected.

# fails_to_start FAULT TEXT
fails_to_start() {
    local fault="$1" text="$2" pid rc=0
    e2e_start "$fault" "$TUCKAWAY_E2E_HELPERS/tuckaway_with_fault.exe" "$fault"
    pid=$E2E_STARTED_PID
    e2e_wait_for "the box '$text'" e2e_box_says "$E2E_BOX_CAPTION" "$text" || return 1
    [ "$(e2e_probe boxes | wc -l)" -eq 1 ] || e2e_fail "more than one box: $(e2e_probe boxes)" || return 1
    e2e_probe click-box-button "$E2E_BOX_CAPTION" OK >/dev/null || e2e_fail "no OK button" || return 1
    e2e_wait_for "the program to exit" e2e_exited "$pid" || return 1
    wait "$pid" || rc=$?
    [ "$rc" -ne 0 ] || e2e_fail "with the $fault fault the program exited with 0" || return 1
    [ "$(tuckaway_reg query "$E2E_KEY" 2>/dev/null | grep -c REG_SZ)" -eq 1 ] && e2e_reg_is DynaScreen REG_SZ 0 ||
        e2e_fail "with the $fault fault the settings were touched" || return 1
    e2e_tray_icon_absent || e2e_fail "with the $fault fault a tray icon is left"
}

scenario_startup_failure() {
    [ -f "$TUCKAWAY_E2E_HELPERS/tuckaway_with_fault.exe" ] ||
        e2e_fail "no tuckaway_with_fault.exe in $TUCKAWAY_E2E_HELPERS (it is built with the whole tree)" || return 1
    e2e_reg_set DynaScreen 0 || e2e_fail "could not preset the settings" || return 1
    fails_to_start class "Tuckaway cannot start: its windows could not be created." || return 1
    fails_to_start window "Tuckaway cannot start: its windows could not be created." || return 1
    fails_to_start picture "Tuckaway cannot start: its pictures could not be loaded."
}
