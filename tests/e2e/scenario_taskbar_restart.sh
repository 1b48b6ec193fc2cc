# shellcheck shell=bash
# A new taskbar (Explorer restarted) gets the tray icon back with its tip, and
# the tray menu works on it: another program takes the icon away, then tells
# the main window "TaskbarCreated", as a new taskbar does.

# The tip a visible tooltip shows.
tray_tip_is() {
    local tooltip
    tooltip="$(e2e_probe windows | awk -F'\t' '$4 == "tooltips_class32" && $2 == 1 { print $1; exit }')"
    [ -n "$tooltip" ] && [ "$(e2e_probe text "$tooltip")" = "$1" ]
}

# Rests the pointer on the icon, coming from elsewhere so that a tip shows.
hover_tray_tip_is() {
    xdotool mousemove --window "$(e2e_desktop_window)" 1000 700
    xdotool mousemove --window "$(e2e_desktop_window)" 1013 758
    e2e_wait_for "the tray tip '$1'" tray_tip_is "$1"
}

scenario_taskbar_restart() {
    local tip="Quake III Arena - INACTIVE" tuckaway main
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 0 || return 1
    e2e_start_tuckaway
    tuckaway=$E2E_STARTED_PID
    e2e_wait_for "the main dialog" e2e_class_visible "$E2E_MAIN_DIALOG" || return 1
    # The game's tip, which replaces the start-up tip: the icon comes back as it is now.
    hover_tray_tip_is "$tip" || return 1
    xdotool mousemove --window "$(e2e_desktop_window)" 20 20

    main="$(e2e_window_field Tuckaway.Varer 1)"
    e2e_probe tray-delete "$main" 1 >/dev/null || e2e_fail "could not take the icon away" || return 1
    e2e_wait_for "the icon to go" e2e_tray_icon_absent || return 1
    e2e_probe post-registered "$main" TaskbarCreated >/dev/null || e2e_fail "could not post TaskbarCreated" ||
        return 1
    e2e_wait_for "the icon to come back" e2e_tray_icon_shown || return 1
    hover_tray_tip_is "$tip" || return 1

    # "&Exit" (last of three) ends the program and takes the icon with it.
    e2e_open_tray_menu || return 1
    e2e_choose_menu_item 2 3 || return 1
    e2e_wait_for "Tuckaway to exit" e2e_exited "$tuckaway" || return 1
    e2e_wait_for "the tray icon to go" e2e_tray_icon_absent
}
