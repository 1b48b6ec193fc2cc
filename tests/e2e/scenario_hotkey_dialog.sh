# shellcheck shell=bash
# The hot-key dialog: keys typed into its fields show there, "Okay!" refuses
# an incomplete or ambiguous entry and otherwise stores and binds the new keys
# at once, letting the old ones go.

HOTKEY_OKAY=2005
HIDE_MODIFIERS=2001
HIDE_KEY=2003
RESTORE_MODIFIERS=2002
RESTORE_KEY=2004

# A double click on the tray icon brings the hot-key dialog forward.
open_hotkey_dialog() {
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_class_hidden "$E2E_HOTKEY_DIALOG" || e2e_fail "the hot-key dialog is not hidden at start" || return 1
    e2e_tray_click 1 2
    e2e_wait_for "the hot-key dialog" e2e_class_visible "$E2E_HOTKEY_DIALOG"
}

# field_shows ID TEXT
field_shows() {
    e2e_wait_for "field $1 to show '$2'" e2e_control_text_is "$E2E_HOTKEY_DIALOG" "$1" "$2"
}

# okay_refused_with TEXT: "Okay!" shows this error box, which is then closed.
okay_refused_with() {
    e2e_click_control "$E2E_HOTKEY_DIALOG" "$HOTKEY_OKAY" || return 1
    e2e_wait_for "the box '$1'" e2e_box_says "$E2E_BOX_CAPTION" "$1" || return 1
    e2e_probe click-box-button "$E2E_BOX_CAPTION" OK >/dev/null || e2e_fail "no OK button" || return 1
    e2e_wait_for "the box to close" e2e_no_box "$E2E_BOX_CAPTION" || return 1
    e2e_class_visible "$E2E_HOTKEY_DIALOG" || e2e_fail "the hot-key dialog closed after a refusal"
}

scenario_hotkey_dialog_typing() {
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 0 || return 1
    e2e_start_tuckaway
    open_hotkey_dialog || return 1

    # The dialog came forward with the keyboard in its first field: modifiers
    # typed at once show there while held, always as Control, Alt, Shift, and
    # stay after release.
    xdotool keydown --delay 50 alt ctrl
    field_shows "$HIDE_MODIFIERS" "Control+Alt"
    local held=$?
    xdotool keyup --delay 50 ctrl alt
    [ "$held" -eq 0 ] || return 1

    # Tab moves on to the letter, which shows as its capital.
    e2e_key Tab
    e2e_wait_for "Tab to move to the hide key field" e2e_focused_is "$E2E_HOTKEY_DIALOG" "$HIDE_KEY" || return 1
    e2e_key q
    field_shows "$HIDE_KEY" "Q" || return 1
    field_shows "$HIDE_MODIFIERS" "Control+Alt" || return 1

    # Any other key empties a key field while held and leaves "None".
    e2e_click_field "$E2E_HOTKEY_DIALOG" "$RESTORE_KEY" || return 1
    xdotool keydown 5
    field_shows "$RESTORE_KEY" ""
    held=$?
    xdotool keyup 5
    [ "$held" -eq 0 ] || return 1
    field_shows "$RESTORE_KEY" "None" || return 1

    okay_refused_with "Error: Please enter something into the Hot Key field to Restore the game." || return 1

    # A valid entry: Control+Alt+H hides, Control+Alt+R restores.
    e2e_click_field "$E2E_HOTKEY_DIALOG" "$HIDE_KEY" || return 1
    e2e_key h
    field_shows "$HIDE_KEY" "H" || return 1
    e2e_click_field "$E2E_HOTKEY_DIALOG" "$RESTORE_MODIFIERS" || return 1
    e2e_press_together ctrl alt
    field_shows "$RESTORE_MODIFIERS" "Control+Alt" || return 1
    e2e_click_field "$E2E_HOTKEY_DIALOG" "$RESTORE_KEY" || return 1
    e2e_key r
    field_shows "$RESTORE_KEY" "R" || return 1
    e2e_click_control "$E2E_HOTKEY_DIALOG" "$HOTKEY_OKAY" || return 1
    e2e_wait_for "the hot-key dialog to hide" e2e_class_hidden "$E2E_HOTKEY_DIALOG" || return 1
    e2e_no_box "$E2E_BOX_CAPTION" || e2e_fail "a box came up after a valid entry" || return 1
    e2e_reg_is HideQ3Func REG_SZ "Control+Alt" &&
        e2e_reg_is HideQ3Key REG_SZ "H" &&
        e2e_reg_is ShowQ3Func REG_SZ "Control+Alt" &&
        e2e_reg_is ShowQ3Key REG_SZ "R" || e2e_fail "the registry does not hold the new keys" || return 1

    # The old keys are let go; the new ones are held (MOD_CONTROL 2, MOD_ALT 1, MOD_SHIFT 4).
    e2e_hotkey_free old-hide 2 0x5A || e2e_fail "Control+Z is still held" || return 1
    e2e_hotkey_free old-restore 6 0x5A || e2e_fail "Control+Shift+Z is still held" || return 1
    ! e2e_hotkey_free new-hide 3 0x48 || e2e_fail "Control+Alt+H is not held" || return 1
    ! e2e_hotkey_free new-restore 3 0x52 || e2e_fail "Control+Alt+R is not held" || return 1

    # And they work at once.
    e2e_start_standin game "Quake 3: Arena" || return 1
    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+alt+h "the game to be hidden" e2e_hidden "Quake 3: Arena" || return 1
    e2e_key_until ctrl+alt+r "the game to be visible" e2e_visible "Quake 3: Arena"
}

scenario_hotkey_dialog_refusals() {
    e2e_start_tuckaway
    open_hotkey_dialog || return 1
    field_shows "$HIDE_MODIFIERS" "Control" && field_shows "$HIDE_KEY" "Z" &&
        field_shows "$RESTORE_MODIFIERS" "Control+Shift" && field_shows "$RESTORE_KEY" "Z" || return 1

    # Restore made the same as hide.
    e2e_click_field "$E2E_HOTKEY_DIALOG" "$RESTORE_MODIFIERS" || return 1
    e2e_press_together ctrl
    field_shows "$RESTORE_MODIFIERS" "Control" || return 1
    okay_refused_with "Error: You cannot assign the same key command to both show and hide the game!" || return 1
    # A refused entry leaves no hot key registered.
    e2e_hotkey_free hide-after-refusal 2 0x5A || e2e_fail "Control+Z is still held" || return 1
    e2e_hotkey_free restore-after-refusal 6 0x5A || e2e_fail "Control+Shift+Z is still held" || return 1

    # A key that is no modifier empties a modifier field while held and leaves "None".
    e2e_click_field "$E2E_HOTKEY_DIALOG" "$HIDE_MODIFIERS" || return 1
    xdotool keydown x
    field_shows "$HIDE_MODIFIERS" ""
    local held=$?
    xdotool keyup x
    [ "$held" -eq 0 ] || return 1
    field_shows "$HIDE_MODIFIERS" "None" || return 1
    okay_refused_with "Error: Please enter something into the Hot Key field to Hide the game." || return 1

    # Nothing refused was stored.
    { e2e_reg_is HideQ3Func REG_SZ "Control" && e2e_reg_is ShowQ3Func REG_SZ "Control+Shift"; } ||
        e2e_fail "a refused entry was stored"
}
