# shellcheck shell=bash
# The session ends (logoff, shutdown) while the display is in the game's mode,
# which the program's own switch asked for as a temporary mode: the display's
# default, where the next logon starts, stays the desktop's. An end called off
# leaves the program working; an end shows the hidden game again, leaves
# automatic detection the stored choice, takes the tray icon away and ends
# the program.
#
# Uses start_tuckaway_searching, detect_game, hidden_at and visible_at from scenario_detection.sh.

WM_QUERYENDSESSION=0x0011
WM_ENDSESSION=0x0016

stored_mode_is() { [ "$(e2e_probe regmode)" = "$1"$'\t'"$2" ]; }

# end_session 1|0: asks the main window whether the session may end, then
# tells it that it ends (1) or goes on (0), as the system does.
end_session() {
    [ "$(e2e_probe send Tuckaway.Varer "$WM_QUERYENDSESSION" 0 0)" = 1 ] ||
        e2e_fail "the program did not agree to end the session" || return 1
    e2e_probe send Tuckaway.Varer "$WM_ENDSESSION" "$1" 0 >/dev/null || e2e_fail "WM_ENDSESSION was not delivered"
}

scenario_session_end() {
    start_tuckaway_searching || return 1
    detect_game || return 1
    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    e2e_key_until ctrl+shift+z "the game back at 640x480" visible_at 640 480 || return 1
    stored_mode_is 1024 768 ||
        e2e_fail "the restore stored the game's mode $(e2e_probe regmode | tr '\t' x) as the display's" || return 1

    # The game in front; the end is called off.
    end_session 0 || return 1
    stored_mode_is 1024 768 ||
        e2e_fail "the stored mode is $(e2e_probe regmode | tr '\t' x), not the desktop's" || return 1
    visible_at 640 480 || e2e_fail "the game or the display mode changed" || return 1

    # The game hidden; the session ends.
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    end_session 1 || return 1
    e2e_visible "Quake 3: Arena" || e2e_fail "the hidden game was not shown again" || return 1
    stored_mode_is 1024 768 ||
        e2e_fail "the stored mode is $(e2e_probe regmode | tr '\t' x), not the desktop's" || return 1
    # The user chose automatic detection, not the game it found.
    e2e_reg_is currentgame_display REG_SZ "-=Automatic Game Detection=-" ||
        e2e_fail "the detected game was stored as the next logon's choice" || return 1
    e2e_wait_for "the tray icon to go" e2e_tray_icon_absent || return 1
    e2e_wait_for "the program to end" e2e_exited "$TUCKAWAY_PID"
}
