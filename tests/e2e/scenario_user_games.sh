# shellcheck shell=bash
# A game the user adds is detected, hidden and restored like the nine, with
# the display switch, and the tray tip names it.

USER_GAMES_KEY='HKCU\Software\Tuckaway v1.10\games'

user_game_list_is() {
    [ "$(e2e_control "$E2E_MAIN_DIALOG" 1001 6)" = "$1" ] && [ "$(e2e_control "$E2E_MAIN_DIALOG" 1001 3)" = "$2" ]
}
user_game_hidden_at() { e2e_hidden ioquake3 && e2e_display_is "$1" "$2"; }
user_game_visible_at() { e2e_visible ioquake3 && e2e_display_is "$1" "$2"; }

scenario_user_game_detected_hidden_and_restored() {
    tuckaway_reg add "$USER_GAMES_KEY" /v ioquake3 /t REG_SZ /d ioquake3 /f >/dev/null 2>&1 &&
        tuckaway_reg add "$USER_GAMES_KEY" /v OpenArena /t REG_SZ /d OpenArena /f >/dev/null 2>&1 &&
        e2e_reg_set DynaScreen 1 || e2e_fail "could not preset the settings" || return 1
    e2e_start_tuckaway
    e2e_wait_for "the automatic entry, list enabled" user_game_list_is "-=Automatic Game Detection=-" 1 || return 1
    local searching
    searching="$(e2e_tray_icon_sum)"

    e2e_start_standin game ioquake3 --mode 640x480 || return 1
    E2E_TIMEOUT=3 e2e_wait_for "currentgame_display = ioquake3" \
        e2e_reg_is currentgame_display REG_SZ ioquake3 || return 1
    e2e_reg_is currentgame REG_SZ ioquake3 || e2e_fail "currentgame is not the game's title" || return 1
    e2e_wait_for "the game selected, list locked" user_game_list_is ioquake3 0 || return 1
    E2E_TIMEOUT=3 e2e_wait_for "the tray icon to show the game's logo" e2e_tray_icon_is_not "$searching" || return 1

    e2e_focus ioquake3 || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" user_game_hidden_at 1024 768 || return 1
    e2e_hover_tray
    e2e_wait_for "the tip 'ioquake3 - ACTIVE'" e2e_tip_is "ioquake3 - ACTIVE" || return 1
    e2e_key_until ctrl+shift+z "the game back at 640x480" user_game_visible_at 640 480 || return 1
    e2e_wait_for "the game to be the foreground window" e2e_foreground_is ioquake3
}
