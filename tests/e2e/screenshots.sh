#!/usr/bin/env bash
# Takes the README's screenshots of Tuckaway.exe under Wine: the two dialogs,
# the tray icon with its tip, and the tray menu. Same environment variables
# as run.sh; the pictures go to docs/ (or the folder given).
#
#   bash tests/e2e/screenshots.sh [FOLDER [DPI]]
#
# With DPI (144, say) the whole Wine desktop, its taskbar included, runs at
# that scaling, on a display and wineserver of the script's own, and each
# picture is named NAME-144dpi.png.
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
out="${1:-$E2E_REPO/docs}"
dpi="${2:-}"
suffix=
mkdir -p "$out"
# Names the helpers' output files in the artifacts folder.
# shellcheck disable=SC2034
E2E_SCENARIO=screenshots

# corner_shot NAME W H: the bottom right corner of the desktop, W x H at 96 dpi
# and as much larger as the taskbar's scaling makes what it shows.
corner_shot() {
    local w=$(($2 * ${dpi:-96} / 96)) h=$(($3 * ${dpi:-96} / 96))
    shot "$1" $((1024 - w)) $((768 - h)) "$w" "$h"
}

# shot NAME X Y W H: the part of the desktop at (X, Y), W x H, as NAME.png.
shot() {
    import -display "$DISPLAY" -window root -crop "$4x$5+$2+$3" +repage "$out/$1$suffix.png" || return 1
    echo "$out/$1$suffix.png"
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
    corner_shot tray-tip 320 60 || return 1

    e2e_open_tray_menu || return 1
    sleep 0.3
    corner_shot tray-menu 320 120 || return 1
    e2e_close_menu
}

if [ -n "$dpi" ]; then
    suffix="-${dpi}dpi"
    # The desktop must start at that scaling, so it cannot be one already running.
    unset TUCKAWAY_E2E_DISPLAY
    export WINEPREFIX="${TUCKAWAY_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix}"
    e2e_scaling "$dpi" || { echo "screenshots: could not set $dpi dpi" >&2; exit 1; }
fi
done_with_wine() {
    if [ -n "$dpi" ]; then
        e2e_scaling_reset
    fi
    e2e_env_stop
}
if ! e2e_env_start; then
    echo "screenshots: could not start Wine on a display" >&2
    done_with_wine
    exit 1
fi
trap done_with_wine EXIT
take
result=$?
e2e_stop_all
exit "$result"
