# shellcheck shell=bash
# Where Windows is stricter than a quiet desktop: a game that stops answering,
# a game that ends its own mode after a hide and a restore, a folder window
# named like a game, a keyboard hook the system finds slow, keys passed on late
# on a busy machine, a crash, and the dialogs at a game's small mode.
#
# Uses start_tuckaway_searching, detect_game, game_list_is, hidden_at and
# visible_at from scenario_detection.sh, the editor helpers of
# scenario_pass_through.sh and HOTKEY_OKAY from scenario_hotkey_dialog.sh.

game_log() { cat "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log" 2>/dev/null; }
game_says() { game_log | grep -qx "$1"; }
# game_says_since N LINE: LINE comes after the first N lines of the game's log.
game_says_since() { game_log | tail -n +$(($1 + 1)) | grep -qx "$2"; }
game_log_lines() { game_log | wc -l; }

# The tray menu opens and closes: the program takes its input.
menu_works() { e2e_open_tray_menu && e2e_close_menu; }

# Makes the game stop taking its messages, and waits until it has.
hang_game() {
    local lines
    lines="$(game_log_lines)"
    e2e_probe post-registered "Quake 3: Arena" "Tuckaway stand-in hang" >/dev/null ||
        e2e_fail "could not reach the game" || return 1
    e2e_wait_for "the game to stop answering" game_says_since "$lines" hanging
}

scenario_a_game_that_stops_answering_stops_nothing() {
    # At 800x600 the game's window leaves the tray icon uncovered.
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 1 || return 1
    e2e_start_tuckaway
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    local inactive
    inactive="$(e2e_tray_icon_sum)"
    # Hung for 8 s: a hide that waited on the game would end long after its
    # 1 s limit, and the balloon's check below has room on a loaded machine.
    e2e_start_standin game "Quake 3: Arena" --mode 800x600 --hang-for 8000 || return 1
    E2E_TIMEOUT=3 e2e_wait_for "the game to be found" e2e_tray_icon_is_not "$inactive" || return 1
    e2e_start_standin focus "e2e focus" || return 1
    # The keys go to a window whose program answers; the game stops answering.
    e2e_focus "e2e focus" && e2e_x_focus "e2e focus" || return 1
    hang_game || return 1
    local pressed=$SECONDS
    e2e_key ctrl+z
    # The program's own input is taken meanwhile.
    menu_works || e2e_fail "the tray menu did not open while the game hangs" || return 1
    e2e_wait_for "the balloon saying why" e2e_tip_is "The game is not responding, so it was not hidden." ||
        return 1
    ! game_says answering || e2e_fail "the balloon came only once the game answered again" || return 1
    [ $((SECONDS - pressed)) -le 5 ] || e2e_fail "the balloon came $((SECONDS - pressed)) s after the key" || return 1
    e2e_display_is 800 600 || e2e_fail "the display left the game's mode for a game still shown" || return 1
    # Answering again, the game takes the hide and the show after it: it is still shown.
    e2e_wait_for "the game to answer again" game_says answering || return 1
    e2e_holds 1 "the game still shown at its mode" shown_at 800 600
}

shown_at() { e2e_visible "Quake 3: Arena" && e2e_display_is "$1" "$2"; }

scenario_exit_ends_the_program_while_the_game_does_not_answer() {
    start_tuckaway_searching || return 1
    detect_game || return 1
    e2e_start_standin focus "e2e focus" || return 1
    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    # Hidden, the game stops answering; then "&Exit" (the last of three items).
    hang_game || return 1
    e2e_open_tray_menu || return 1
    local chose=$SECONDS
    e2e_choose_menu_item 2 3 || return 1
    E2E_TIMEOUT=2 e2e_wait_for "Tuckaway to exit" e2e_exited "$TUCKAWAY_PID" || return 1
    [ $((SECONDS - chose)) -le 1 ] || e2e_fail "exit took $((SECONDS - chose)) s" || return 1
    e2e_display_is 1024 768 || e2e_fail "exit left the display out of the desktop's mode" || return 1
    e2e_wait_for "the game to answer again" game_says answering || return 1
    e2e_wait_for "the game shown, as exit asked" e2e_visible "Quake 3: Arena"
}

scenario_a_game_that_quits_after_a_hide_and_a_restore_leaves_the_desktops_mode() {
    start_tuckaway_searching || return 1
    detect_game || return 1
    local game=$E2E_STARTED_PID
    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    e2e_key_until ctrl+shift+z "the game back at 640x480" visible_at 640 480 || return 1
    # It quits as the engines do, with ChangeDisplaySettings(NULL, 0): back to the stored mode.
    e2e_probe close "Quake 3: Arena" >/dev/null || e2e_fail "no game window to close" || return 1
    e2e_wait_for "the game to end" e2e_exited "$game" || return 1
    e2e_wait_for "the display back at 1024x768" e2e_display_is 1024 768 || return 1
    [ "$(e2e_probe regmode)" = $'1024\t768' ] || e2e_fail "the stored mode is $(e2e_probe regmode | tr '\t' x)"
}

scenario_a_folder_named_like_a_game_is_no_game() {
    start_tuckaway_searching || return 1
    e2e_start_standin folder "Wolfenstein" --class CabinetWClass || return 1
    e2e_focus "Wolfenstein" || return 1
    e2e_holds 1 "automatic detection still searching" game_list_is "$AUTOMATIC" 1 || return 1
    e2e_key ctrl+z
    e2e_holds 1 "the folder window still shown" e2e_visible "Wolfenstein" || return 1

    # The game itself, beside it, is found and hidden; the folder stays.
    e2e_start_standin game "Wolfenstein" || return 1
    e2e_wait_for "the game detected" game_list_is "Return to Castle Wolfenstein (SP + MP)" 0 || return 1
    local game folder
    game="$(e2e_standin_windows | head -n 1)"
    folder="$(e2e_probe windows | awk -F'\t' '$4 == "CabinetWClass" { print $1; exit }')"
    e2e_focus "Wolfenstein" || return 1
    e2e_key ctrl+z
    e2e_wait_for "the game to be hidden" window_hidden "$game" || return 1
    window_shown "$folder" || e2e_fail "the folder window was hidden"
}

# inside_work_area CLASS: the first window of the class lies inside 640x460.
inside_work_area() {
    local left top right bottom
    IFS=, read -r left top right bottom <<<"$(e2e_window_field "$1" 3)"
    if [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le 640 ] && [ "$bottom" -le 460 ]; then
        return 0
    fi
    e2e_fail "$1 is at $left,$top,$right,$bottom, off the 640x460 work area"
}

# window_hidden HWND / window_shown HWND: a window's visibility by its handle.
window_hidden() { e2e_probe windows | awk -F'\t' -v w="$1" '$1 == w && $2 == 0 { f = 1 } END { exit !f }'; }
window_shown() { e2e_probe windows | awk -F'\t' -v w="$1" '$1 == w && $2 == 1 { f = 1 } END { exit !f }'; }

# editor_holding_hello_beside FAULT MS: the stand-in editor in front, holding
# "hello" typed into it, beside Tuckaway built with that fault.
editor_holding_hello_beside() {
    e2e_start_editor editor "$EDITOR" || return 1
    e2e_start tuckaway "$TUCKAWAY_E2E_HELPERS/tuckaway_with_fault.exe" "$1" "$2"
    e2e_wait_for "Tuckaway to search" game_list_is "$AUTOMATIC" 1 || return 1
    e2e_focus "$EDITOR" && e2e_x_focus "$EDITOR" || return 1
    xdotool type --delay 50 hello
    e2e_wait_for "the editor to hold 'hello'" editor_text_is hello
}

scenario_a_late_keyboard_hook_keeps_the_keys_in_order_and_none_down() {
    editor_holding_hello_beside late-hook 400 || return 1
    # Control+Z passes on while the keys typed right after it wait for it.
    xdotool key --delay 30 ctrl+z a b
    e2e_wait_for "the undo, then 'ab'" editor_text_is ab || return 1
    xdotool type x
    e2e_wait_for "'x' typed: no modifier left down" editor_text_is abx
}

scenario_a_late_pass_through_lets_control_go_after_its_key() {
    editor_holding_hello_beside late-typing 250 || return 1
    # Control is let go about 100 ms after Z goes down: after the pass-through
    # has found it held, before it types Z.
    xdotool key --delay 200 ctrl+z
    e2e_wait_for "Z to reach the editor" editor_count_is "key .*z" 1 || return 1
    editor_count_is "key ctrl+z" 1 || e2e_fail "Z reached the editor without Control" || return 1
    e2e_wait_for "Control+Z to undo the typing" editor_text_is "" || return 1
    xdotool type x
    e2e_wait_for "'x' typed: no modifier left down" editor_text_is x
}

crash_folder() {
    local local_app_data
    local_app_data="$(wine cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')"
    winepath -u "$local_app_data\\Tuckaway\\crash" 2>/dev/null
}

scenario_a_crash_while_hidden_gives_the_game_back() {
    local folder
    folder="$(crash_folder)"
    [ -n "$folder" ] || e2e_fail "no %LOCALAPPDATA% under Wine" || return 1
    # Six older reports; the newest five are kept.
    mkdir -p "$folder" && rm -f "$folder"/crash-*.dmp
    local old
    for old in 1 2 3 4 5 6; do
        echo old >"$folder/crash-2000010${old}-000000-1.dmp"
    done
    e2e_reg_set DynaScreen 1 || return 1
    e2e_start tuckaway "$TUCKAWAY_E2E_HELPERS/tuckaway_with_fault.exe" crash-when-hidden "Quake 3: Arena"
    TUCKAWAY_PID=$E2E_STARTED_PID
    e2e_wait_for "the automatic entry, list enabled" game_list_is "$AUTOMATIC" 1 || return 1
    # shellcheck disable=SC2034 # detect_game reads it
    SEARCHING_ICON="$(e2e_tray_icon_sum)"
    detect_game || return 1
    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    e2e_wait_for "the program to crash" e2e_exited "$TUCKAWAY_PID" || return 1
    e2e_wait_for "the game shown again" e2e_visible "Quake 3: Arena" || return 1
    e2e_display_is 1024 768 || e2e_fail "the display is not at the desktop's mode" || return 1
    local dumps newest
    dumps="$(find "$folder" -name 'crash-*.dmp' | wc -l)"
    [ "$dumps" = 5 ] || e2e_fail "$dumps reports in $folder, not the newest 5" || return 1
    newest="$(find "$folder" -name 'crash-*.dmp' | sort | tail -n 1)"
    [ "$(head -c 4 "$newest")" = MDMP ] || e2e_fail "$newest is no minidump" || return 1
    [ ! -e "$folder/crash-20000101-000000-1.dmp" ] || e2e_fail "the oldest report was kept" || return 1
    rm -f "$folder"/crash-*.dmp

    # The next start is the user's own choice, automatic detection, which finds the game.
    e2e_start_tuckaway again
    e2e_wait_for "automatic detection to hold the game" game_list_is "Quake III Arena" 0
}

scenario_the_dialogs_fit_the_screen_at_a_games_small_mode() {
    start_tuckaway_searching || return 1
    # Put away: at 640x480 the main dialog would cover the tray.
    e2e_click_control "$E2E_MAIN_DIALOG" 1 || return 1
    e2e_wait_for "the main dialog to hide" e2e_class_hidden "$E2E_MAIN_DIALOG" || return 1
    e2e_probe setmode 640 480 >/dev/null || e2e_fail "could not set 640x480" || return 1
    e2e_tray_click 1
    e2e_wait_for "the hot-key dialog" e2e_class_visible "$E2E_HOTKEY_DIALOG" || return 1
    inside_work_area "$E2E_HOTKEY_DIALOG" || return 1
    # Its Okay button can be reached.
    e2e_click_control "$E2E_HOTKEY_DIALOG" "$HOTKEY_OKAY" || return 1
    e2e_wait_for "the hot-key dialog to go" e2e_class_hidden "$E2E_HOTKEY_DIALOG" || return 1

    # So is the main dialog, brought back by "&Main..." (the first of three items).
    e2e_open_tray_menu || return 1
    e2e_choose_menu_item 0 3 || return 1
    e2e_wait_for "the main dialog" e2e_class_visible "$E2E_MAIN_DIALOG" || return 1
    inside_work_area "$E2E_MAIN_DIALOG"
}
