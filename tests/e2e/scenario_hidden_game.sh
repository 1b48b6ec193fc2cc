# shellcheck shell=bash
# What a hide does beside hiding the window: the game's sound, and the display
# mode asked for whole and only when the display is not in it already.
#
# Uses start_tuckaway_searching, detect_game, hidden_at and visible_at from
# scenario_detection.sh.

# Tuckaway's output (its debug lines and Wine's trace of its display requests).
tuckaway_out() { cat "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.tuckaway.out" 2>/dev/null; }

# The display requests Tuckaway has made: one line each, its flags and its
# mode ("UPDATEREGISTRY dmFields=... dmBitsPerPel=32 ...").
mode_requests() {
    tuckaway_out | awk '
        /:trace:system:NtUserChangeDisplaySettings flags=/ { sub(/.*flags=/, ""); flags = $0; pending = 1; next }
        pending && /:trace:system:trace_devmode / { sub(/.*trace_devmode /, ""); print flags " " $0; pending = 0 }'
}

game_log_says() { grep -qx "$1" "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log"; }
last_mute_is() { [ "$(grep '^mute ' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log" | tail -n 1)" = "mute $1" ]; }

# Muted while hidden, where the system lets one program see another's sessions;
# where it does not (Wine keeps every process's sessions to itself), the program
# says why, having asked the real device.
muted_or_told_why() {
    last_mute_is 1 ||
        tuckaway_out | grep -qF 'Tuckaway: the audio sessions cannot be seen (IAudioSessionManager2::GetSessionEnumerator'
}

scenario_a_hidden_game_is_silenced_where_the_system_allows() {
    [ -n "${PULSE_SERVER:-}" ] || e2e_fail "no sound server for the run (PULSE_SERVER)" || return 1
    e2e_preset_game "Quake III Arena" "Quake 3: Arena" 0 || return 1
    e2e_start_standin game "Quake 3: Arena" --sound || return 1
    e2e_wait_for "the game's sound to play" game_log_says "sound started" || return 1
    last_mute_is 0 || e2e_fail "the game's session is muted before the hide" || return 1
    e2e_start_standin focus "e2e focus" || return 1
    WINEDEBUG=warn+seh e2e_start_tuckaway
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1

    e2e_focus "Quake 3: Arena" || return 1
    e2e_key_until ctrl+z "the game to be hidden" e2e_hidden "Quake 3: Arena" || return 1
    e2e_wait_for "the game muted, or the reason it cannot be" muted_or_told_why || return 1
    if last_mute_is 1; then
        e2e_log "the game's session was muted while hidden"
    else
        e2e_log "the system let no other program see the game's session: $(tuckaway_out | grep -m1 -o 'Tuckaway: the audio sessions.*')"
    fi
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game to be back" e2e_visible "Quake 3: Arena" || return 1
    e2e_wait_for "the game's session unmuted" last_mute_is 0
}

# sdl_hide_and_restore ROUND: one full-screen hide and restore of a game that,
# as games built on SDL do, puts the desktop's mode back itself when it loses
# the focus, its window still shown for a while, and does not take its own
# mode again when shown: the hide asks for no mode, the restore for the game's.
sdl_hide_and_restore() {
    local round="$1" before left
    e2e_focus "Quake 3: Arena" || return 1
    before="$(mode_requests | wc -l)"
    left="$(grep -c '^left mode$' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log")"
    e2e_key_until ctrl+z "hide $round: the game hidden at 1024x768" hidden_at 1024 768 || return 1
    [ "$(grep -c '^left mode$' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log")" -gt "$left" ] ||
        e2e_fail "hide $round: the stand-in did not leave its mode" || return 1
    e2e_holds 1 "hide $round: the game hidden at 1024x768" hidden_at 1024 768 || return 1
    [ "$(mode_requests | wc -l)" -eq "$before" ] ||
        e2e_fail "hide $round: the program asked for a mode the game had set already: $(mode_requests | tail -n +$((before + 1)))" ||
        return 1

    before="$(mode_requests | wc -l)"
    e2e_key_until ctrl+shift+z "restore $round: the game back at 640x480" visible_at 640 480 ||
        e2e_fail "restore $round: the game is back at $(e2e_probe display | tr '\t' x)" || return 1
    e2e_holds 1 "restore $round: the game at 640x480" visible_at 640 480 || return 1
    mode_requests | tail -n +$((before + 1)) | grep -v '^TEST ' | grep -Eq 'dmPelsWidth=640 dmPelsHeight=480( |$)' ||
        e2e_fail "restore $round: the program did not ask for the game's 640x480: $(mode_requests | tail -n +$((before + 1)))"
}

scenario_modes_come_back_whole_and_a_game_that_switches_itself_is_left_to_it() {
    WINEDEBUG=trace+system start_tuckaway_searching || return 1
    local before round
    detect_game --sdl-modes || return 1
    for round in 1 2 3; do
        sdl_hide_and_restore "$round" || return 1
    done
    e2e_probe close "Quake 3: Arena" >/dev/null || e2e_fail "no game window to close" || return 1
    e2e_wait_for "the game to end" e2e_no_window "Quake 3: Arena" || return 1
    e2e_wait_for "the display back at 1024x768" e2e_display_is 1024 768 || return 1
    # Kept: the next stand-in's log takes its name.
    mv "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.game.log" "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.sdl-game.log"

    # A game that keeps its mode while hidden: the program switches, asking
    # for the desktop's whole mode once the display has said it offers it.
    detect_game || return 1
    e2e_focus "Quake 3: Arena" || return 1
    before="$(mode_requests | wc -l)"
    e2e_key_until ctrl+z "the game hidden at 1024x768" hidden_at 1024 768 || return 1
    mode_requests | tail -n +$((before + 1)) >"$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.hide-requests.txt"
    local test_request change_request
    test_request="$(grep -m1 '^TEST ' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.hide-requests.txt")"
    change_request="$(grep -m1 '^UPDATEREGISTRY ' "$TUCKAWAY_E2E_ARTIFACTS/$E2E_SCENARIO.hide-requests.txt")"
    [[ "$test_request" == *"dmBitsPerPel=32 dmPelsWidth=1024 dmPelsHeight=768 dmDisplayFrequency=60"* ]] ||
        e2e_fail "no test of the desktop's whole mode before the hide's switch: '$test_request'" || return 1
    [[ "$change_request" == *"BITSPERPEL"*"DISPLAYFREQUENCY"*"dmBitsPerPel=32 dmPelsWidth=1024 dmPelsHeight=768 dmDisplayFrequency=60"* ]] ||
        e2e_fail "the hide's switch did not ask for depth and frequency: '$change_request'" || return 1
    e2e_key_until ctrl+shift+z "the game back at 640x480" visible_at 640 480
}
