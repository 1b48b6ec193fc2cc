# shellcheck shell=bash
# The main settings dialog: Esc and Enter hide it, the tray menu's "&Main..."
# brings it back as it was, and dragging its background moves it.

MAIN_GAME_LIST=1001
MAIN_SWITCH=1002

main_dialog_shows() {
    [ "$(e2e_control "$E2E_MAIN_DIALOG" "$MAIN_GAME_LIST" 6)" = "$1" ] &&
        [ "$(e2e_control "$E2E_MAIN_DIALOG" "$MAIN_SWITCH" 5)" = "$2" ]
}

main_dialog_rect() { e2e_window_field "$E2E_MAIN_DIALOG" 3; }

# Right click on the tray icon, then "&Main..." (first of three items).
show_main_from_menu() {
    e2e_open_tray_menu || return 1
    e2e_choose_menu_item 0 3 || return 1
    e2e_wait_for "the main dialog to be visible" e2e_class_visible "$E2E_MAIN_DIALOG"
}

scenario_main_dialog() {
    local game="Return to Castle Wolfenstein (SP + MP)"
    e2e_preset_game "$game" "Wolfenstein" 0 || return 1
    e2e_start_tuckaway
    e2e_wait_for "the main dialog to be visible" e2e_class_visible "$E2E_MAIN_DIALOG" || return 1
    [ "$(main_dialog_rect)" = "453,39,752,491" ] || e2e_fail "the main dialog is at $(main_dialog_rect)" || return 1
    e2e_wait_for "the dialog to show '$game', switch off" main_dialog_shows "$game" 0 || return 1

    # The switch, clicked on its box, turns on and is stored.
    local rect left top right bottom
    rect="$(e2e_control "$E2E_MAIN_DIALOG" "$MAIN_SWITCH" 4)"
    IFS=, read -r left top right bottom <<<"$rect"
    e2e_click $((left + 7)) $(((top + bottom) / 2)) || return 1
    e2e_wait_for "the switch to be on" main_dialog_shows "$game" 1 || return 1
    e2e_wait_for "DynaScreen = 1" e2e_reg_is DynaScreen REG_SZ 1 || return 1

    e2e_key Escape
    e2e_wait_for "Esc to hide the main dialog" e2e_class_hidden "$E2E_MAIN_DIALOG" || return 1
    e2e_running "$E2E_STARTED_PID" || e2e_fail "Tuckaway exited" || return 1

    show_main_from_menu || return 1
    main_dialog_shows "$game" 1 || e2e_fail "the dialog came back changed" || return 1
    [ "$(main_dialog_rect)" = "453,39,752,491" ] || e2e_fail "the dialog came back at $(main_dialog_rect)" || return 1

    # "&Main..." made it the foreground window, with the keyboard: Enter works at once.
    e2e_foreground_is v || e2e_fail "the main dialog is not the foreground window" || return 1
    e2e_key Return
    e2e_wait_for "Enter to hide the main dialog" e2e_class_hidden "$E2E_MAIN_DIALOG" || return 1
    show_main_from_menu || return 1

    # A drag from a background point (left of the help text) moves it by about as much.
    e2e_drag 473 289 373 319
    local moved
    moved="$(main_dialog_rect)"
    IFS=, read -r left top right bottom <<<"$moved"
    # The move loop may start one step (10 by 3) into the drag.
    [ "$left" -ge 353 ] && [ "$left" -le 363 ] && [ "$top" -ge 66 ] && [ "$top" -le 69 ] &&
        [ $((right - left)) -eq 299 ] && [ $((bottom - top)) -eq 452 ] ||
        e2e_fail "after dragging by (-100, +30) the dialog is at $moved" || return 1
    e2e_class_visible "$E2E_MAIN_DIALOG" || e2e_fail "the dialog hid while dragged"
}

# e2e_pixel_is_not X Y R,G,B: the screen pixel at (X, Y) has another colour.
pixel_is_not() {
    local pixel
    pixel="$(import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage -depth 8 rgb:- 2>/dev/null |
        od -An -tu1 | tr -s ' ' ',' | sed 's/^,//; s/,$//')"
    [ -n "$pixel" ] && [ "$pixel" != "$3" ]
}

# The switch's check box paints the button face; the detection timer's first
# tick cuts those pixels away, so the skin shows around the box and its white
# caption. At the time of writing this fails: the button face stays.
scenario_main_dialog_switch_shows_skin() {
    e2e_start_tuckaway
    e2e_wait_for "the main dialog to be visible" e2e_class_visible "$E2E_MAIN_DIALOG" || return 1
    local face rect left top right bottom
    face="$(e2e_probe syscolor 15)" # COLOR_BTNFACE
    rect="$(e2e_control "$E2E_MAIN_DIALOG" "$MAIN_SWITCH" 4)"
    IFS=, read -r left top right bottom <<<"$rect"
    # Right of the caption, still inside the dialog's shape.
    E2E_TIMEOUT=3 e2e_wait_for "the skin to show right of the switch's caption, not the button face ($face)" \
        pixel_is_not $((left + 250)) $(((top + bottom) / 2)) "$face"
}
