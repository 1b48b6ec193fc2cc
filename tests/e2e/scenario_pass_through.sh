# shellcheck shell=bash
# With no game window to act on, the hot keys reach the window the user types
# in, as if Tuckaway were not running; with one, they hide the game as before.

EDITOR="e2e editor"
EDITOR_CLASS=TuckawayStandinEditor

editor_text_is() { e2e_control_text_is "$EDITOR_CLASS" 1 "$1"; }
# editor_count PATTERN: how many lines of the editor's log match PATTERN whole.
editor_count() { grep -cx -- "$1" "$E2E_EDITOR_LOG"; }
editor_count_is() { [ "$(editor_count "$1")" = "$2" ]; }

# Another program cannot take the combination: Tuckaway holds it.
held_by_tuckaway() { ! e2e_hotkey_free "hold-$1-$2" "$1" "$2"; }

selected_entry_is() { e2e_control_text_is "$E2E_MAIN_DIALOG" 1001 "$1"; }

# start_typing ENTRY: starts the editor and Tuckaway, waits until Tuckaway has
# selected ENTRY (start-up registers the hot keys right after), types "hello"
# into the editor and checks that Tuckaway holds both hot keys (otherwise the
# keys would reach the editor with Tuckaway doing nothing). Trying to take a
# hot key before start-up has registered it would take it from Tuckaway.
start_typing() {
    e2e_start_editor editor "$EDITOR" || return 1
    e2e_start_tuckaway
    e2e_wait_for "Tuckaway to select '$1'" selected_entry_is "$1" || return 1
    e2e_focus "$EDITOR" && e2e_x_focus "$EDITOR" || return 1
    xdotool type --delay 50 hello
    e2e_wait_for "the editor to hold 'hello'" editor_text_is hello || return 1
    held_by_tuckaway 2 0x5A || e2e_fail "Tuckaway does not hold Control+Z" || return 1
    held_by_tuckaway 6 0x5A || e2e_fail "Tuckaway does not hold Control+Shift+Z"
}

scenario_hot_keys_pass_through_without_a_game() {
    start_typing "-=Automatic Game Detection=-" || return 1

    e2e_key ctrl+z
    e2e_wait_for "Control+Z to undo the typing" editor_text_is "" || return 1
    # The edit control takes Control+Shift+Z as Control+Z: its one undo step is undone.
    e2e_key ctrl+shift+z
    e2e_wait_for "Control+Shift+Z to reach the editor" editor_count_is "key ctrl+shift+z" 1 || return 1
    e2e_wait_for "the typing back" editor_text_is hello || return 1

    # Fifty quick presses, then one Control+Shift+Z: it passes on after all of them.
    xdotool key --delay 10 --repeat 50 --repeat-delay 10 ctrl+z
    e2e_key ctrl+shift+z
    e2e_wait_for "the second Control+Shift+Z" editor_count_is "key ctrl+shift+z" 2 || return 1
    local presses undos
    presses="$(editor_count "key ctrl+z")"
    undos="$(editor_count "undo [0-9]*")"
    e2e_log "the editor saw $presses Control+Z and $undos undo steps in all"
    [ "$presses" = 51 ] || e2e_fail "$presses Control+Z reached the editor, not 1 + 50" || return 1
    [ "$undos" = 53 ] || e2e_fail "$undos undo steps, not 1 + 1 + 50 + 1" || return 1
    editor_count_is "char .*" 5 || e2e_fail "a key other than 'hello' was typed" || return 1
    editor_text_is "" || e2e_fail "the text is '$(e2e_control "$EDITOR_CLASS" 1 6)', not empty" || return 1

    # No modifier is left held: a plain key types itself.
    xdotool type x
    e2e_wait_for "'x' typed" editor_text_is x || return 1
    held_by_tuckaway 2 0x5A || e2e_fail "Tuckaway no longer holds Control+Z" || return 1
    held_by_tuckaway 6 0x5A || e2e_fail "Tuckaway no longer holds Control+Shift+Z"
}

scenario_hot_keys_hide_a_running_game() {
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 0 || return 1
    e2e_start_standin game "Quake 3: Arena" || return 1
    start_typing "Quake III Arena" || return 1

    e2e_key ctrl+z
    e2e_wait_for "the game to be hidden" e2e_hidden "Quake 3: Arena" || return 1
    # Typed after the hot key, so it arrives after anything the hot key could have sent.
    e2e_focus "$EDITOR" && e2e_x_focus "$EDITOR" || return 1
    xdotool type x
    e2e_wait_for "'x' typed" editor_text_is hellox || return 1
    editor_count_is "key .*z" 0 || e2e_fail "the hot key reached the editor too" || return 1
    editor_count_is "undo [0-9]*" 0 || e2e_fail "the editor undid something"
}
