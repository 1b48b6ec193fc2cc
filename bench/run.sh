#!/usr/bin/env bash
# Measures Tuckaway under Wine beside floor programs that do only the least
# its job needs, in one run (an absolute time is not stable on a shared
# machine; a ratio is), with a warm wineserver, in a private Xvfb and a
# 1024x768 virtual desktop. Prints the table of figures and ratios:
#   hot-key press to game hidden or shown, p99 over 200 presses
#     (floor: bench/floor_hotkey, which only hides a window on a hot key);
#   idle CPU of the program, the wineserver and the tray's host (explorer)
#     over 60 s in automatic mode with no game
#     (floor: bench/floor_poller, the same ten title lookups every 150 ms);
#   process start to the first hot key that hides, median of 7 (floor_hotkey);
#   resident memory after start (floor_poller);
# then the detection tick's cost beside its ten lookups alone, shaping each
# dialog (time and region calls), the shell calls per minute while idle, and
# where start-up's time goes.
#
#   bash bench/run.sh               builds the preset of the Wine that runs here
#   TUCKAWAY_BENCH_BUILD=DIR        use this build folder as it is (Tuckaway, bench/)
#   TUCKAWAY_BENCH_EXE=FILE         measure this Tuckaway.exe instead (another
#                                   revision's, say) with this build's tools
#   TUCKAWAY_BENCH_WINEPREFIX=DIR   the Wine prefix (made if missing)
#   BENCH_IDLE_SECONDS=60 BENCH_PRESSES=200 BENCH_STARTS=7
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
# shellcheck source=../scripts/xvfb.sh
. scripts/xvfb.sh
# shellcheck source=../scripts/sound.sh
. scripts/sound.sh

export WINEPREFIX="${TUCKAWAY_BENCH_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix-bench}"
export WINEDEBUG=-all LANG=C.UTF-8
TUCKAWAY_WINEPREFIX="$WINEPREFIX" bash scripts/setup.sh >/dev/null
# shellcheck source=../scripts/wine-env.sh
. scripts/wine-env.sh
build="${TUCKAWAY_BENCH_BUILD:-}"
if [ -z "$build" ]; then
    cmake --preset "$TUCKAWAY_WINE_ARCH" >/dev/null
    cmake --build --preset "$TUCKAWAY_WINE_ARCH" -j2 >/dev/null
    build="$repo/build/$TUCKAWAY_WINE_ARCH"
fi
exe="${TUCKAWAY_BENCH_EXE:-$build/app/Tuckaway.exe}"
bench="$build/bench"
idle_seconds="${BENCH_IDLE_SECONDS:-60}"
presses="${BENCH_PRESSES:-200}"
starts="${BENCH_STARTS:-7}"
key='HKCU\Software\Tuckaway v1.10\program'
# Wine's output of the program running in the background.
output="$(mktemp)"
# The idle figures, by name: floor_rss, program_calls, ...
declare -A idle_figures

tuckaway_wine_summary
echo "measuring $exe ($(stat -c %s "$exe") bytes) beside the floors in $bench"
echo "imports: $("$TUCKAWAY_WINE_ARCH-w64-mingw32-objdump" -p "$exe" | sed -n 's/^\tDLL Name: //p' | sort | tr '\n' ' ')"
echo "machine: $(nproc) cores, $(sed -n 's/^model name\t: //p' /proc/cpuinfo | head -n 1); $(wine --version)"

tuckaway_start_xvfb
export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
# A render device, so that muting the hidden game has a device to ask.
tuckaway_sound_start
tuckaway_wineserver_stop
wineserver -p
# A desktop kept open for the whole run: no measurement pays for starting it.
wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
desktop=$!
running=
cleanup() {
    [ -z "$running" ] || kill "$running" 2>/dev/null || true
    kill "$desktop" 2>/dev/null || true
    tuckaway_wineserver_stop
    tuckaway_stop_xvfb
    tuckaway_sound_stop
    rm -f "$output"
}
trap cleanup EXIT
tuckaway_wait_for_desktop 60

set_settings() { # game entry, title, DynaScreen[, MuteWhenHidden[, YieldWhenHidden]]
    tuckaway_reg delete 'HKCU\Software\Tuckaway v1.10' /f >/dev/null 2>&1 || true
    tuckaway_reg add "$key" /v currentgame_display /d "$1" /f >/dev/null 2>&1
    tuckaway_reg add "$key" /v currentgame /d "$2" /f >/dev/null 2>&1
    tuckaway_reg add "$key" /v DynaScreen /d "$3" /f >/dev/null 2>&1
    if [ -n "${4:-}" ]; then
        tuckaway_reg add 'HKCU\Software\Tuckaway v1.10\options' /v MuteWhenHidden /d "$4" /f >/dev/null 2>&1
    fi
    if [ -n "${5:-}" ]; then
        tuckaway_reg add 'HKCU\Software\Tuckaway v1.10\options' /v YieldWhenHidden /d "$5" /f >/dev/null 2>&1
    fi
}

# start PROGRAM [WINEDEBUG]: starts it in the background and waits until its
# process runs; Tuckaway also until start-up has written its settings.
start() {
    local program="$1" name
    name="$(basename "$program")"
    (cd "$(dirname "$program")" && WINEDEBUG="${2:-$WINEDEBUG}" exec wine "./$name") >/dev/null 2>"$output" &
    running=$!
    for _ in $(seq 1 100); do
        if pid_of "$name" >/dev/null &&
            { [ "$name" != Tuckaway.exe ] || tuckaway_reg query "$key" /v HideQ3Func >/dev/null 2>&1; }; then
            return 0
        fi
        sleep 0.1
    done
    echo "$name did not start" >&2
    return 1
}

# Asks the program to close as a user would, then makes sure it has.
stop() {
    local name
    name="$(basename "$1")"
    wine taskkill /im "$name" >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do
        pid_of "$name" >/dev/null || break
        sleep 0.1
    done
    wine taskkill /f /im "$name" >/dev/null 2>&1 || true
    wait "$running" 2>/dev/null || true
    running=
}

# ours PATTERN: the Linux processes of this run's Wine prefix whose command
# line matches; other prefixes' programs may run on the same machine.
ours() {
    local pid
    for pid in $(pgrep -f "$1"); do
        if { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
            echo "$pid"
        fi
    done
}

# The Linux process of a running Windows program.
pid_of() { ours "(^|[\\/])$1( |\$)" | head -n 1 | grep .; }

# utime + stime of this prefix's processes matching a pattern, in clock ticks.
cpu_ticks() {
    local total=0 pid
    for pid in $(ours "$1"); do
        total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}

# bench_field LINES FIELD: a number from the first of some Report lines ("... median=1.234 ms p99=...").
bench_field() { sed -n "1s/.* $2=\\([0-9.]*\\).*/\\1/p" <<<"$1"; }

# idle PROGRAM NAME: runs it for the idle time and records in idle_figures
# the CPU seconds of it (NAME_program) and of the wineserver and explorer
# (NAME_others), its resident memory after start in MB (NAME_rss) and its
# shell calls per minute (NAME_calls), counted from Wine's trace.
idle() {
    local program="$1" name="$2" hz before_program before_server before_shell
    local after_program after_server after_shell calls
    hz="$(getconf CLK_TCK)"
    start "$program" -all,trace+systray
    sleep 3
    idle_figures[${name}_rss]="$(awk '/^VmRSS:/ { printf "%.1f", $2 / 1024 }' \
        "/proc/$(pid_of "$(basename "$program")")/status")"
    calls="$(grep -c Shell_NotifyIcon "$output" || true)"
    before_program="$(cpu_ticks "$(basename "$program")")"
    before_server="$(cpu_ticks '^wineserver|/wineserver')"
    before_shell="$(cpu_ticks 'explorer\.exe')"
    sleep "$idle_seconds"
    after_program="$(cpu_ticks "$(basename "$program")")"
    after_server="$(cpu_ticks '^wineserver|/wineserver')"
    after_shell="$(cpu_ticks 'explorer\.exe')"
    calls=$(($(grep -c Shell_NotifyIcon "$output" || true) - calls))
    stop "$program"
    idle_figures[${name}_program]="$(awk -v c=$((after_program - before_program)) -v hz="$hz" \
        'BEGIN { printf "%.2f", c / hz }')"
    idle_figures[${name}_others]="$(awk -v c=$((after_server - before_server + after_shell - before_shell)) \
        -v hz="$hz" 'BEGIN { printf "%.2f", c / hz }')"
    idle_figures[${name}_calls]="$(awk -v c="$calls" -v t="$idle_seconds" 'BEGIN { printf "%.0f", c * 60 / t }')"
    echo "$name: ${idle_figures[${name}_program]} s CPU, wineserver + explorer" \
        "${idle_figures[${name}_others]} s; ${idle_figures[${name}_rss]} MB resident after start;" \
        "${idle_figures[${name}_calls]} shell calls per minute"
}

echo "== process start to the first hot key that hides (the two take turns)"
set_settings "Quake III Arena" "Quake 3: Arena" 0
start_figures="$(wine "$bench/bench_tool.exe" start "$starts" "$(winepath -w "$bench/floor_hotkey.exe")" \
    "$(winepath -w "$exe")" | tr -d '\r')"
echo "$start_figures"
floor_start="$(grep '^floor_hotkey.exe: start to first' <<<"$start_figures")"
program_start="$(grep -v '^floor_hotkey.exe' <<<"$start_figures" | head -n 1)"

echo "== hot-key press to game hidden or shown"
start "$bench/floor_hotkey.exe"
floor_keys="$(wine "$bench/bench_tool.exe" hotkey "$presses" | tr -d '\r')"
stop "$bench/floor_hotkey.exe"
echo "floor_hotkey.exe: $floor_keys"
start "$exe"
program_keys="$(wine "$bench/bench_tool.exe" hotkey "$presses" | tr -d '\r')"
stop "$exe"
echo "Tuckaway.exe: $program_keys"
set_settings "Quake III Arena" "Quake 3: Arena" 0 0
start "$exe"
unmuted_keys="$(wine "$bench/bench_tool.exe" hotkey "$presses" | tr -d '\r')"
stop "$exe"
echo "Tuckaway.exe, MuteWhenHidden=0: $unmuted_keys"
set_settings "Quake III Arena" "Quake 3: Arena" 0 1 0
start "$exe"
unyielding_keys="$(wine "$bench/bench_tool.exe" hotkey "$presses" | tr -d '\r')"
stop "$exe"
echo "Tuckaway.exe, YieldWhenHidden=0: $unyielding_keys"

echo "== detection tick (automatic detection, no game), with 0, 10 and 32 added games"
declare -A ticks_with tick_medians
# add_games N: the settings of automatic detection with N added games, in one import.
add_games() {
    set_settings "-=Automatic Game Detection=-" " " 1
    [ "$1" -gt 0 ] || return 0
    {
        printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Tuckaway v1.10\\games]\r\n'
        for i in $(seq 1 "$1"); do
            printf '"Bench game %d"="Bench title %d"\r\n' "$i" "$i"
        done
    } >"$WINEPREFIX/drive_c/bench-games.reg"
    tuckaway_reg import 'C:\bench-games.reg' >/dev/null 2>&1
}
# A tick's time under Wine comes in two modes (a tenth of a millisecond, or
# over one, as the wineserver happens to be), and it drifts with the machine:
# three rounds, each of the three counts by turns, and the middle of each
# count's three medians.
for run in 1 2 3; do
    for added in 0 10 32; do
        add_games "$added"
        tick="$(wine "$bench/bench_tick.exe" 1000 | tr -d '\r')"
        echo "$added added games, run $run: $(grep '^one tick' <<<"$tick")"
        tick_medians[$added]+="$(bench_field "$(grep '^one tick' <<<"$tick")" median) "
    done
done
rm -f "$WINEPREFIX/drive_c/bench-games.reg"
for added in 0 10 32; do
    # shellcheck disable=SC2086 # the three medians, one word each
    ticks_with[$added]="$(printf '%s\n' ${tick_medians[$added]} | sort -g | sed -n 2p)"
done

echo "== shaping a dialog: its skin scanned into runs, the runs into the window's region"
wine "$bench/bench_shaping.exe" 200 | tr -d '\r'

echo "== idle, automatic detection, no game, ${idle_seconds} s each"
idle "$bench/floor_poller.exe" floor
set_settings "-=Automatic Game Detection=-" " " 1
idle "$exe" program

awk -v fk="$(bench_field "$floor_keys" p99)" -v pk="$(bench_field "$program_keys" p99)" \
    -v fkm="$(bench_field "$floor_keys" median)" -v pkm="$(bench_field "$program_keys" median)" \
    -v fs="$(bench_field "$floor_start" median)" -v ps="$(bench_field "$program_start" median)" \
    -v fp="${idle_figures[floor_program]}" -v fo="${idle_figures[floor_others]}" \
    -v pp="${idle_figures[program_program]}" -v po="${idle_figures[program_others]}" \
    -v fr="${idle_figures[floor_rss]}" -v pr="${idle_figures[program_rss]}" \
    -v n="$presses" -v t="$idle_seconds" -v s="$starts" '
    BEGIN {
        fi = fp + fo
        pi = pp + po
        print ""
        print "| figure | floor (same run) | Tuckaway | ratio | goal |"
        print "|---|---|---|---|---|"
        printf "| hot-key press → game window hidden/shown, %d presses, p99 | %.2f ms | %.2f ms (median %.2f vs %.2f) | %.2f | ≤ 1.5 |\n",
               n, fk, pk, pkm, fkm, pk / fk
        printf "| idle, automatic mode, no game, %d s, CPU of the program + wineserver + explorer | %.2f s | %.2f s (program %.2f, wineserver + explorer %.2f) | %.2f | ≤ 1.2 |\n",
               t, fi, pi, pp, po, pi / fi
        printf "| process start → first hot key that hides, median of %d | %.0f ms | %.0f ms | %.2f | ≤ 1.5 |\n",
               s, fs, ps, ps / fs
        printf "| resident memory after start | %.1f MB | %.1f MB | floor + %.1f MB | ≤ floor + 6 MB |\n",
               fr, pr, pr - fr
    }'
lookups="$(grep '^ten title lookups' <<<"$tick")"
for added in 0 10 32; do
    echo "detection tick with $added added games: median ${ticks_with[$added]} ms (the middle of three runs' medians)"
done
awk -v none="${ticks_with[0]}" -v most="${ticks_with[32]}" \
    'BEGIN { printf "32 added games against none, ticks of runs by turns: %.2f (goal <= 1.2)\n", most / none }'
pass_nine="$(grep '^one pass, nine titles:' <<<"$tick")"
pass_many="$(grep '^one pass, nine titles and 32 added' <<<"$tick")"
awk -v none="$(bench_field "$pass_nine" median)" -v most="$(bench_field "$pass_many" median)" \
    'BEGIN { printf "the pass over the windows, 41 titles against 9, by turns in one process: %.3f ms against %.3f ms, %.2f (goal <= 1.2)\n", most, none, most / none }'
echo "the floor's ten title lookups alone: median $(bench_field "$lookups" median) ms, p99 $(bench_field "$lookups" p99) ms"
echo "shell calls per minute while idle: ${idle_figures[program_calls]} (the floor: ${idle_figures[floor_calls]})"
# on_and_off WHAT OPTION OFF_FIGURES: the hides and the restores with an option on (the default run) and off.
on_and_off() {
    local kind line on off
    for kind in hidden shown; do
        on="$(grep "of which $kind" <<<"$program_keys")"
        off="$(grep "of which $kind" <<<"$3")"
        line="$([ "$kind" = hidden ] && echo hides || echo restores), $1 on ($2=1): median"
        echo "$line $(bench_field "$on" median) ms, p99 $(bench_field "$on" p99) ms;" \
            "off: median $(bench_field "$off" median) ms, p99 $(bench_field "$off" p99) ms"
    done
}
on_and_off muting MuteWhenHidden "$unmuted_keys"
on_and_off yielding YieldWhenHidden "$unyielding_keys"
