# shellcheck shell=bash
# A game that ends leaving the display in its own mode: the tray menu then
# offers "&Restore Resolution...", which puts the desktop's mode back; if a
# game is running by then, the item only says that nothing needs restoring.
#
# Uses start_tuckaway_searching, detect_game and game_list_is from scenario_detection.sh.

# The menu's height with nothing to restore (three items); sets THREE_ITEMS.
# Then "Okay!" puts the main dialog away: at 640x480 it would cover the tray.
measure_three_item_menu() {
    e2e_open_tray_menu || return 1
    THREE_ITEMS=$E2E_MENU_HEIGHT
    e2e_close_menu || return 1
    e2e_click_control "$E2E_MAIN_DIALOG" 1 || return 1
    e2e_wait_for "the main dialog to hide" e2e_class_hidden "$E2E_MAIN_DIALOG"
}

# The game ends in its 640x480 mode; Tuckaway goes back to searching.
game_ends_in_its_mode() {
    local game=$E2E_STARTED_PID
    e2e_probe close "Quake 3: Arena" >/dev/null || e2e_fail "no game window to close" || return 1
    e2e_wait_for "the game to end" e2e_exited "$game" || return 1
    e2e_display_is 640 480 || e2e_fail "the game did not leave the display at 640x480" || return 1
    e2e_wait_for "the automatic entry, list enabled" game_list_is "$AUTOMATIC" 1 || return 1
    e2e_reg_is currentgame_display REG_SZ "$AUTOMATIC" &&
        e2e_reg_is currentgame REG_SZ " " || e2e_fail "the automatic entry was not stored" || return 1
}

# Opens the menu (at the tray of the 640x480 display); it has a fourth item.
open_menu_with_restore_item() {
    e2e_open_tray_menu || return 1
    [ "$E2E_MENU_HEIGHT" -gt "$THREE_ITEMS" ] ||
        e2e_fail "the menu is $E2E_MENU_HEIGHT high, as with three items: no Restore Resolution" || return 1
}

scenario_restore_resolution() {
    start_tuckaway_searching || return 1
    measure_three_item_menu || return 1
    detect_game --keep-mode || return 1
    game_ends_in_its_mode || return 1

    open_menu_with_restore_item || return 1
    e2e_choose_menu_item 2 4 || return 1
    e2e_wait_for "the display back at 1024x768" e2e_display_is 1024 768 || return 1
    e2e_no_box "$E2E_BOX_CAPTION" || e2e_fail "a box came up" || return 1

    e2e_open_tray_menu || return 1
    [ "$E2E_MENU_HEIGHT" -eq "$THREE_ITEMS" ] ||
        e2e_fail "the menu is $E2E_MENU_HEIGHT high, not $THREE_ITEMS: Restore Resolution is still there" || return 1
    e2e_close_menu
}

scenario_restore_resolution_not_needed() {
    start_tuckaway_searching || return 1
    measure_three_item_menu || return 1
    detect_game --keep-mode || return 1
    game_ends_in_its_mode || return 1

    open_menu_with_restore_item || return 1
    # A game starts (unseen, so the menu stays open) before the item is chosen.
    e2e_start_standin game-again "Quake 3: Arena" --hidden || return 1
    E2E_TIMEOUT=3 e2e_wait_for "the game to be detected again" \
        e2e_reg_is currentgame_display REG_SZ "Quake III Arena" || return 1
    e2e_menu_rect >/dev/null || e2e_fail "the menu closed by itself" || return 1
    e2e_choose_menu_item 2 4 || return 1
    e2e_wait_for "the 'not necessary' box" \
        e2e_box_says "$E2E_BOX_CAPTION" "Resolution Restoration is currently not necessary." || return 1
    e2e_display_is 640 480 || e2e_fail "the display changed to $(e2e_probe display | tr '\t' x)" || return 1
    e2e_probe click-box-button "$E2E_BOX_CAPTION" OK >/dev/null || e2e_fail "no OK button" || return 1
    e2e_wait_for "the box to close" e2e_no_box "$E2E_BOX_CAPTION"
}
