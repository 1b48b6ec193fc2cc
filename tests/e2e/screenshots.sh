#!/usr/bin/env bash
# Takes the README's screenshots of Tuckaway.exe under Wine: the two dialogs,
# the tray icon with its tip, and the tray menu. Same environment variables
# as run.sh; the pictures go to docs/ (or the folder given).
#
#   bash tests/e2e/screenshots.sh [FOLDER]
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
out="${1:-$E2E_REPO/docs}"
mkdir -p "$out"
# Names the helpers' output files in the artifacts folder.
# shellcheck disable=SC2034
E2E_SCENARIO=screenshots

# shot NAME X Y W H: the part of the desktop at (X, Y), W x H, as NAME.png.
shot() {
    import -display "$DISPLAY" -window root -crop "$4x$5+$2+$3" +repage "$out/$1.png" || return 1
    echo "$out/$1.png"
}

# shellcheck disable=SC2317 # called through e2e_wait_for
tooltip_visible() {
    e2e_probe windows | awk -F'\t' '$4 == "tooltips_class32" && $2 == 1 { found = 1 } END { exit !found }'
}

take() {
    e2e_probe setmode 1024 768 save >/dev/null
    e2e_reg_reset || return 1
    e2e_start_tuckaway tuckaway
    e2e_wait_for "the main dialog" e2e_class_visible "$E2E_MAIN_DIALOG" || return 1
    # The first timer ticks finish the dialog's look.
    sleep 1
    shot main-dialog 443 29 319 472 || return 1

    e2e_tray_click 1 2
    e2e_wait_for "the hot-key dialog" e2e_class_visible "$E2E_HOTKEY_DIALOG" || return 1
    # Control+Alt+H to hide, as a user would type it.
    e2e_click_field "$E2E_HOTKEY_DIALOG" 2001 || return 1
    e2e_press_together ctrl alt
    e2e_click_field "$E2E_HOTKEY_DIALOG" 2003 || return 1
    e2e_key h
    e2e_wait_for "Control+Alt+H" e2e_control_text_is "$E2E_HOTKEY_DIALOG" 2003 H || return 1
    # The pointer away from the dialog, so it shows no hover.
    xdotool mousemove --window "$(e2e_desktop_window)" 300 600
    sleep 0.5
    shot hotkey-dialog 438 495 593 162 || return 1
    e2e_click_control "$E2E_HOTKEY_DIALOG" 2005 || return 1
    e2e_wait_for "the hot-key dialog to hide" e2e_class_hidden "$E2E_HOTKEY_DIALOG" || return 1

    # The tip shows while the pointer rests on the icon.
    xdotool mousemove --window "$(e2e_desktop_window)" 1000 700
    xdotool mousemove --window "$(e2e_desktop_window)" 1013 758
    e2e_wait_for "the tray tip" tooltip_visible || return 1
    sleep 0.3
    shot tray-tip 704 708 320 60 || return 1

    e2e_open_tray_menu || return 1
    sleep 0.3
    shot tray-menu 704 648 320 120 || return 1
    e2e_close_menu
}

if ! e2e_env_start; then
    echo "screenshots: could not start Wine on a display" >&2
    e2e_env_stop
    exit 1
fi
trap e2e_env_stop EXIT
take
result=$?
e2e_stop_all
exit "$result"
