# shellcheck shell=bash
# A hidden game yields the machine: its process runs below normal priority
# while hidden and gets back exactly the class it had; YieldWhenHidden "0"
# leaves it alone; a start after a kill finds the game still hidden and keeps
# it so, yielding, until the restore gives everything back.

YIELD_GAME="Quake 3: Arena"
priority_is() { [ "$(e2e_probe priority "$YIELD_GAME")" = "$1" ]; }
hidden_and_yielding() { e2e_hidden "$YIELD_GAME" && priority_is 0x4000; }

# start_yield_run: Tuckaway with the game
# chosen, a focus window, and the game in front.
start_yield_run() {
    e2e_preset_game "Quake III Arena" "$YIELD_GAME" 0 || return 1
    e2e_start_standin game "$YIELD_GAME" || return 1
    e2e_start_standin focus "e2e focus" || return 1
    e2e_start_tuckaway
    TUCKAWAY_PID=$E2E_STARTED_PID
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v
}

hide_then_restore() {
    e2e_focus "$YIELD_GAME" || return 1
    e2e_key_until ctrl+z "the game hidden" e2e_hidden "$YIELD_GAME" || return 1
    e2e_wait_for "the game below normal priority while hidden" priority_is "$1" || return 1
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game back" e2e_visible "$YIELD_GAME" || return 1
    e2e_wait_for "the game's own priority back" priority_is "$2"
}

scenario_a_hidden_game_yields_and_gets_its_own_priority_back() {
    start_yield_run || return 1
    priority_is 0x20 || e2e_fail "the game does not start at normal priority" || return 1
    hide_then_restore 0x4000 0x20 || return 1
    # A game the user runs at high priority comes back at high.
    e2e_probe setpriority "$YIELD_GAME" 0x80 >/dev/null || return 1
    hide_then_restore 0x4000 0x80 || return 1

    # Killed while hidden: the next start adopts the hide, and its restore
    # gives the class back.
    e2e_focus "$YIELD_GAME" || return 1
    e2e_key_until ctrl+z "the game hidden" e2e_hidden "$YIELD_GAME" || return 1
    e2e_wait_for "the game below normal priority" priority_is 0x4000 || return 1
    kill -KILL "$TUCKAWAY_PID"
    e2e_wait_for "Tuckaway to die" e2e_exited "$TUCKAWAY_PID" || return 1
    e2e_start_tuckaway again
    e2e_wait_for "the settings dialog 'v'" e2e_window_exists v || return 1
    e2e_holds 1 "the game still hidden, still yielding" hidden_and_yielding || return 1
    e2e_focus "e2e focus" || return 1
    e2e_key_until ctrl+shift+z "the game back" e2e_visible "$YIELD_GAME" || return 1
    e2e_wait_for "the killed run's change given back by the restore" priority_is 0x80
}

scenario_yield_when_hidden_zero_leaves_the_game_alone() {
    tuckaway_reg add 'HKCU\Software\Tuckaway v1.10\options' /v YieldWhenHidden /d 0 /f >/dev/null 2>&1 ||
        e2e_fail "could not set YieldWhenHidden" || return 1
    start_yield_run || return 1
    e2e_focus "$YIELD_GAME" || return 1
    e2e_key_until ctrl+z "the game hidden" e2e_hidden "$YIELD_GAME" || return 1
    e2e_holds 1 "the game at normal priority" priority_is 0x20
}
