# shellcheck shell=bash
# Tuckaway killed while the game is hidden loses nothing: started again, it
# finds the game, its restore key and a left click on the tray bring it back,
# and once the game has ended leaving the display in its own mode, the tray
# menu offers "&Restore Resolution...".
#
# Uses start_tuckaway_searching, detect_game, game_list_is and hidden_at from
# scenario_detection.sh, and measure_three_item_menu (THREE_ITEMS) from
# scenario_restore_resolution.sh.

# The tray menu has the fourth item; the menu is closed again either way.
restore_item_offered() {
    e2e_open_tray_menu || return 1
    local height=$E2E_MENU_HEIGHT
    e2e_close_menu || return 1
    [ "$height" -gt "$THREE_ITEMS" ]
}

scenario_survives_a_kill_while_the_game_is_hidden() {
    start_tuckaway_searching || return 1
    measure_three_item_menu || return 1
    detect_game --keep-mode || return 1
    local game=$E2E_STARTED_PID
    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1

    kill -KILL "$TUCKAWAY_PID"
    e2e_wait_for "Tuckaway to die" e2e_exited "$TUCKAWAY_PID" || return 1
    e2e_start_tuckaway again
    # The killed program never put automatic detection back, but its record
    # says detection had chosen the game: the new start searches, and finds it.
    e2e_wait_for "automatic detection holding the game" game_list_is "Quake III Arena" 0 || return 1
    # Put away: at the game's 640x480 it would cover the tray.
    e2e_click_control "$E2E_MAIN_DIALOG" 1 || return 1
    e2e_wait_for "the main dialog to hide" e2e_class_hidden "$E2E_MAIN_DIALOG" || return 1

    # The keys reach the hot keys only while some Wine window has the focus.
    e2e_start_standin focus "e2e focus" || return 1
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the restore key to bring the game back" e2e_visible "Quake 3: Arena" || return 1
    e2e_wait_for "the game in front" e2e_foreground_is "Quake 3: Arena" || return 1
    e2e_x_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the hide key to hide it again" e2e_hidden "Quake 3: Arena" || return 1
    e2e_tray_click 1
    e2e_wait_for "a tray click to bring the game back" e2e_visible "Quake 3: Arena" || return 1
    # At 640x480 it would cover the tray.
    e2e_probe close "e2e focus" >/dev/null || e2e_fail "no focus window to close" || return 1
    e2e_wait_for "the focus window to close" e2e_no_window "e2e focus" || return 1

    # No game sets its mode again on being shown: the program brings it back from its record.
    e2e_wait_for "the display back at the game's 640x480" e2e_display_is 640 480 ||
        e2e_fail "the game is back at $(e2e_probe display | tr '\t' x)" || return 1
    # Long enough for the detection timer to see the game in its mode.
    e2e_holds 1 "the game running at 640x480" e2e_display_is 640 480 || return 1
    e2e_probe close "Quake 3: Arena" >/dev/null || e2e_fail "no game window to close" || return 1
    e2e_wait_for "the game to end" e2e_exited "$game" || return 1
    e2e_display_is 640 480 || e2e_fail "the game did not leave the display at 640x480" || return 1
    e2e_wait_for "the tray menu to offer Restore Resolution" restore_item_offered || return 1
    e2e_open_tray_menu || return 1
    e2e_choose_menu_item 2 4 || return 1
    e2e_wait_for "the display back at 1024x768" e2e_display_is 1024 768
}
