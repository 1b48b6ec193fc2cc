# shellcheck shell=bash
# Automatic detection of a running game, the display switch on the hot keys
# and the tray icon, and "&Exit" while the game is hidden.

AUTOMATIC="-=Automatic Game Detection=-"
GAME_LIST=1001

game_list_is() {
    [ "$(e2e_control "$E2E_MAIN_DIALOG" "$GAME_LIST" 6)" = "$1" ] &&
        [ "$(e2e_control "$E2E_MAIN_DIALOG" "$GAME_LIST" 3)" = "$2" ]
}

# hidden_at W H / visible_at W H: the stand-in's state and the display mode.
hidden_at() { e2e_hidden "Quake 3: Arena" && e2e_display_is "$1" "$2"; }
visible_at() { e2e_visible "Quake 3: Arena" && e2e_display_is "$1" "$2"; }

# Starts Tuckaway in automatic mode with the switch on and waits until it
# searches; sets TUCKAWAY_PID and SEARCHING_ICON (the tray icon's checksum).
start_tuckaway_searching() {
    e2e_reg_set DynaScreen 1 || e2e_fail "could not preset the settings" || return 1
    e2e_display_is 1024 768 || e2e_fail "the desktop is not 1024x768 to begin with" || return 1
    e2e_start_tuckaway
    TUCKAWAY_PID=$E2E_STARTED_PID
    e2e_wait_for "the automatic entry, list enabled" game_list_is "$AUTOMATIC" 1 || return 1
    SEARCHING_ICON="$(e2e_tray_icon_sum)"
}

# detect_game [ARGS...]: starts a stand-in that switches the display to
# 640x480 (with ARGS...) and waits until Tuckaway has found it and recorded its
# display size.
# shellcheck disable=SC2120 # the restore scenarios pass arguments
detect_game() {
    e2e_start_standin game "Quake 3: Arena" --mode 640x480 "$@" || return 1
    e2e_display_is 640 480 || e2e_fail "the stand-in did not switch to 640x480" || return 1
    # Detection runs every 150 ms.
    E2E_TIMEOUT=3 e2e_wait_for "currentgame_display = Quake III Arena" \
        e2e_reg_is currentgame_display REG_SZ "Quake III Arena" || return 1
    e2e_reg_is currentgame REG_SZ "Quake 3: Arena" || e2e_fail "currentgame is not the game's title" || return 1
    e2e_wait_for "the game selected, list locked" game_list_is "Quake III Arena" 0 || return 1
    # The tick that records the game's display size also puts up the game's
    # logo, which the tray shows from the tick after: nothing else shows it.
    E2E_TIMEOUT=3 e2e_wait_for "the tray icon to show the game's logo" e2e_tray_icon_is_not "$SEARCHING_ICON"
}

scenario_detection_and_exit() {
    start_tuckaway_searching || return 1
    detect_game || return 1

    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    e2e_key_until ctrl+shift+z "the game back at 640x480" visible_at 640 480 || return 1
    e2e_wait_for "the game to be the foreground window" e2e_foreground_is "Quake 3: Arena" || return 1

    # A left click on the tray icon (where it is at 1024x768) restores it.
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    e2e_tray_click 1
    e2e_wait_for "a tray click to bring the game back at 640x480" visible_at 640 480 || return 1

    # "&Exit" (last of three) with the game hidden puts it back, with its mode.
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    ! e2e_tray_icon_absent || e2e_fail "no tray icon to be seen" || return 1
    e2e_open_tray_menu || return 1
    e2e_choose_menu_item 2 3 || return 1
    e2e_wait_for "Tuckaway to exit" e2e_exited "$TUCKAWAY_PID" || return 1
    visible_at 640 480 || e2e_fail "after exit the game is not visible at 640x480" || return 1
    e2e_foreground_is "Quake 3: Arena" || e2e_fail "after exit the game is not in front" || return 1
    e2e_reg_is currentgame_display REG_SZ "$AUTOMATIC" &&
        e2e_reg_is currentgame REG_SZ " " || e2e_fail "the automatic entry was not stored back" || return 1
    e2e_wait_for "the tray icon to go" e2e_tray_icon_absent || return 1
    local class
    for class in Tuckaway.Varer "$E2E_MAIN_DIALOG" "$E2E_HOTKEY_DIALOG"; do
        e2e_class_gone "$class" || e2e_fail "a $class window is left" || return 1
    done
}
