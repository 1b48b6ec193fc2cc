#!/usr/bin/env bash
# Measures Tuckaway under Wine beside floor programs that do only the least
# its job needs, in one run (an absolute time is not stable on a shared
# machine; a ratio is), with a warm wineserver, in a private Xvfb and a
# 1024x768 virtual desktop. Prints the table of figures and ratios:
#   hot-key press to game hidden, p99 over 100 hides, the stand-in game
#     (bench/bench_game) in a process of its own, each hide 50 ms after the
#     restore before it (floor: bench/floor_hide, which only asks the window to
#     hide on its hot key); in rounds, each round the floors, Tuckaway and the
#     floors again by turns, each round's figures printed, the table from the
#     round of the middle ratio, with the floor against itself for the noise;
#   hot-key press to game shown, and to shown and in front, p99 over 100
#     restores (floor: bench/floor_show, which only restores the window on its
#     hot key and puts it in front);
#   idle CPU of the program, the wineserver and the tray's host (explorer)
#     over 60 s in automatic mode with no game
#     (floor: bench/floor_poller, the same ten title lookups every 150 ms);
#   process start to the first hot key that hides, median of 21 (floor_hide);
#   resident memory after start (floor_poller);
# then the settings writes one hide and one restore make (counted in Wine's
# registry trace), a hidden game's processor time frozen and not beside shown,
# restores of a frozen game beside the show floor, the detection tick's cost beside its ten lookups alone,
# shaping each dialog (time and region calls), the shell calls per minute
# while idle, and where start-up's time goes.
#
#   bash bench/run.sh               builds the preset of the Wine that runs here
#   TUCKAWAY_BENCH_BUILD=DIR        use this build folder as it is (Tuckaway, bench/)
#   TUCKAWAY_BENCH_EXE=FILE         measure this Tuckaway.exe instead (another
#                                   revision's, say) with this build's tools
#   TUCKAWAY_BENCH_WINEPREFIX=DIR   the Wine prefix (made if missing)
#   BENCH_IDLE_SECONDS=60 BENCH_PRESSES=200 BENCH_STARTS=21 BENCH_ROUNDS=5
#   BENCH_KEYS_ONLY=1               only the hot-key rounds, then stop
#   BENCH_COUNT_PRESSES=40          presses of the run whose settings writes are counted
#   BENCH_STEPS=0                   rounds of the hide floor with the program's steps
#                                   added one at a time (bench/hide_steps), to tell
#                                   where a hide's time goes; 0 leaves them out
#   BENCH_FREEZE_SECONDS=10         how long the hidden game's processor time is read, frozen or not
#   BENCH_HOLD_MS=700 BENCH_HOLD_PRESSES=40
#                                   restores that long after their hides (a frozen
#                                   game is frozen half a second after it hid)
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
starts="${BENCH_STARTS:-21}"
rounds="${BENCH_ROUNDS:-5}"
count_presses="${BENCH_COUNT_PRESSES:-40}"
steps_rounds="${BENCH_STEPS:-0}"
freeze_seconds="${BENCH_FREEZE_SECONDS:-10}"
hold_ms="${BENCH_HOLD_MS:-700}"
hold_presses="${BENCH_HOLD_PRESSES:-40}"
declare -A held_keys
key='HKCU\Software\Tuckaway v1.10\program'
# Wine's output of the program running in the background.
output="$(mktemp)"
# The presses of each step's runs, one file per step.
steps_dir="$(mktemp -d)"
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
# The programs running in the background, by name.
declare -A running
cleanup() {
    local pid
    for pid in "${running[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    kill "$desktop" 2>/dev/null || true
    tuckaway_wineserver_stop
    tuckaway_stop_xvfb
    tuckaway_sound_stop
    rm -f "$output" "$WINEPREFIX/drive_c/bench-presses.txt"
    rm -rf "$steps_dir"
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

# start PROGRAM [WINEDEBUG [ARGUMENT...]]: starts it in the background and
# waits until its process runs; Tuckaway also until start-up has written its
# settings. Wine's output of the program goes to $output (of the last started).
start() {
    local program="$1" debug="${2:-$WINEDEBUG}" name
    shift $(($# < 2 ? $# : 2))
    name="$(basename "$program")"
    (cd "$(dirname "$program")" && WINEDEBUG="$debug" exec wine "./$name" "$@") >/dev/null 2>"$output" &
    running[$name]=$!
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
    wait "${running[$name]:-}" 2>/dev/null || true
    unset "running[$name]"
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

game="$(winepath -w "$bench/bench_game.exe")"

echo "== process start to the first hot key that hides (the two take turns)"
set_settings "Quake III Arena" "Quake 3: Arena" 0
start_figures="$(wine "$bench/bench_tool.exe" start "$starts" "$game" "$(winepath -w "$bench/floor_hide.exe")" \
    "$(winepath -w "$exe")" | tr -d '\r')"
echo "$start_figures"
floor_start="$(grep '^floor_hide.exe: start to first' <<<"$start_figures")"
program_start="$(grep -v '^floor_hide.exe' <<<"$start_figures" | head -n 1)"

# keys PRESSES [PRESS_LOG]: hides and restores by whatever holds the keys now.
keys() { wine "$bench/bench_tool.exe" hotkey "$1" "$game" ${2:+"$2"} | tr -d '\r'; }
# figure LINES WHAT FIELD: the median or p99 of "press to WHAT: ...".
figure() { bench_field "$(grep "^press to $2: " <<<"$1")" "$3"; }

echo "== hot-key press to game hidden or shown, the game in a process of its own, $rounds rounds"
# The p99 of 100 hides is its second slowest: one stray delay of the machine
# moves it, and the same floor run twice differs by 2x and more in a round.
# So each round runs the floors, Tuckaway and the floors again by turns, and
# prints its p99s, their ratios to the floor's, and the time the virtual
# machine's host took the processors away (steal); the table has the round
# whose ratio is the middle one, and the middle of the floor against itself
# beside it, for the noise. Every press is kept by who held the keys.
keys_dir="$steps_dir/keys"
mkdir -p "$keys_dir"
# machine: "BUSY STOLEN", the processors' time so far, in ms, spent on all the
# machine's processes and taken by the host.
machine() { awk -v hz="$(getconf CLK_TCK)" '$1 == "cpu" { printf "%d %d", ($2 + $3 + $4 + $7 + $8) * 1000 / hz, $9 * 1000 / hz }' /proc/stat; }
# block WHO PROGRAM...: one block of presses with these programs holding the keys.
block() {
    local who="$1" program busy stolen busy_after stolen_after
    shift
    for program in "$@"; do
        start "$program"
    done
    read -r busy stolen <<<"$(machine)"
    keys "$presses" 'C:\bench-presses.txt'
    read -r busy_after stolen_after <<<"$(machine)"
    echo "the machine's processors meanwhile: busy $((busy_after - busy)) ms, taken by the host" \
        "$((stolen_after - stolen)) ms"
    tr -d '\r' <"$WINEPREFIX/drive_c/bench-presses.txt" | tee "$keys_dir/$who.$round" >>"$keys_dir/$who"
    for program in "$@"; do
        stop "$program"
    done
}
# p99s WHO [ROUND]: "HIDE SHOW FRONT MEDIAN_HIDE MEDIAN_SHOW MEDIAN_FRONT" over
# the presses of one round or of all, nearest rank.
p99s() {
    awk '
        function rank(a, n, q,   i, j, t) {
            for (i = 2; i <= n; i++) { t = a[i]; for (j = i - 1; j >= 1 && a[j] > t; j--) a[j + 1] = a[j]; a[j + 1] = t }
            i = int(q * n + 0.999999); return a[i < 1 ? 1 : i]
        }
        $2 == "hide" { h[++nh] = $3 }
        $2 == "show" { s[++ns] = $3; if ($4 >= 0) f[++nf] = $4 }
        END {
            printf "%.3f %.3f %.3f ", rank(h, nh, 0.99), rank(s, ns, 0.99), rank(f, nf, 0.99)
            printf "%.3f %.3f %.3f\n", rank(h, nh, 0.5), rank(s, ns, 0.5), rank(f, nf, 0.5)
        }' "$keys_dir/$1${2:+.$2}"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
# By round: by_round[program_hide,3], by_round[floor_show_median,1], by_round[hide_ratio,2],
# by_round[hide_control,2] (the floor against itself), ...
declare -A by_round
for round in $(seq 1 "$rounds"); do
    floor_keys="$(block floor "$bench/floor_hide.exe" "$bench/floor_show.exe")"
    program_keys="$(block program "$exe")"
    control_keys="$(block control "$bench/floor_hide.exe" "$bench/floor_show.exe")"
    echo "round $round, floor_hide.exe and floor_show.exe:"
    echo "$floor_keys"
    echo "round $round, Tuckaway.exe:"
    echo "$program_keys"
    echo "round $round, floor_hide.exe and floor_show.exe again:"
    echo "$control_keys"
    for who in floor program control; do
        read -r "by_round[${who}_hide,$round]" "by_round[${who}_show,$round]" "by_round[${who}_front,$round]" \
            "by_round[${who}_hide_median,$round]" "by_round[${who}_show_median,$round]" \
            "by_round[${who}_front_median,$round]" <<<"$(p99s "$who" "$round")"
    done
    for kind in hide show front; do
        by_round[${kind}_ratio,$round]="$(ratio "${by_round[program_$kind,$round]}" "${by_round[floor_$kind,$round]}")"
        by_round[${kind}_control,$round]="$(ratio "${by_round[control_$kind,$round]}" "${by_round[floor_$kind,$round]}")"
    done
    # part KIND: "P ms against the floor's F (RATIO; the floor against itself CONTROL)".
    part() {
        echo "${by_round[program_$1,$round]} ms against the floor's ${by_round[floor_$1,$round]}" \
            "(${by_round[$1_ratio,$round]}; the floor against itself ${by_round[$1_control,$round]})"
    }
    echo "round $round, p99s: hides $(part hide); shows $(part show); shown and in front $(part front)"
done
# middle KIND FIGURE: the middle of the rounds' FIGURE (ratio or control) for KIND, and its round.
middle() {
    local round
    for round in $(seq 1 "$rounds"); do
        echo "${by_round[${1}_$2,$round]} $round"
    done | sort -g | sed -n "$(((rounds + 1) / 2))p"
}
for kind in hide show front; do
    echo "$kind: the middle ratio $(middle "$kind" ratio | cut -d' ' -f1), of the floor against itself" \
        "$(middle "$kind" control | cut -d' ' -f1)"
done
if [ -n "${BENCH_KEYS_ONLY:-}" ]; then
    exit 0
fi
set_settings "Quake III Arena" "Quake 3: Arena" 0 0
start "$exe"
unmuted_keys="$(keys "$presses")"
stop "$exe"
echo "Tuckaway.exe, MuteWhenHidden=0:"
echo "$unmuted_keys"
set_settings "Quake III Arena" "Quake 3: Arena" 0 1 0
start "$exe"
unyielding_keys="$(keys "$presses")"
stop "$exe"
echo "Tuckaway.exe, YieldWhenHidden=0:"
echo "$unyielding_keys"

echo "== a hidden game's processor time, FreezeWhenHidden 0 and 1, ${freeze_seconds} s each (the game's frame loop: about half a core)"
declare -A freeze_figures
freeze() { tuckaway_reg add 'HKCU\Software\Tuckaway v1.10\options' /v FreezeWhenHidden /d "$1" /f >/dev/null 2>&1; }
for option in 0 1; do
    set_settings "Quake III Arena" "Quake 3: Arena" 0
    freeze "$option"
    start "$exe"
    marks="$(mktemp)"
    wine "$bench/bench_tool.exe" cpu "$freeze_seconds" "$game" >"$marks" 2>&1 &
    tool=$!
    declare -A at=()
    for mark in shown hidden end; do
        for _ in $(seq 1 $((freeze_seconds * 20 + 200))); do
            grep -q "^$mark" "$marks" && break
            sleep 0.05
        done
        at[$mark]="$(cpu_ticks 'bench_game\.exe"? --frames')"
    done
    wait "$tool" || echo "bench_tool cpu failed: $(tr -d '\r' <"$marks")"
    rm -f "$marks"
    stop "$exe"
    hz="$(getconf CLK_TCK)"
    freeze_figures[shown_$option]="$(awk -v t=$((at[hidden] - at[shown])) -v hz="$hz" -v s="$freeze_seconds" \
        'BEGIN { printf "%.2f", t / hz }')"
    freeze_figures[hidden_$option]="$(awk -v t=$((at[end] - at[hidden])) -v hz="$hz" \
        'BEGIN { printf "%.2f", t / hz }')"
    echo "FreezeWhenHidden=$option: the game's processor time over ${freeze_seconds} s shown" \
        "${freeze_figures[shown_$option]} s (before the hide, plus the second after it), hidden ${freeze_figures[hidden_$option]} s"
done

echo "== restores with FreezeWhenHidden 0 and 1, each restore ${hold_ms} ms after its hide, $hold_presses presses"
for option in 0 1; do
    set_settings "Quake III Arena" "Quake 3: Arena" 0
    freeze "$option"
    start "$exe"
    held_keys[$option]="$(BENCH_HOLD_MS="$hold_ms" keys "$hold_presses")"
    stop "$exe"
    echo "Tuckaway.exe, FreezeWhenHidden=$option:"
    echo "${held_keys[$option]}"
done
start "$bench/floor_hide.exe"
start "$bench/floor_show.exe"
held_floor="$(BENCH_HOLD_MS="$hold_ms" keys "$hold_presses")"
stop "$bench/floor_show.exe"
stop "$bench/floor_hide.exe"
echo "floor_hide.exe and floor_show.exe:"
echo "$held_floor"

if [ "$steps_rounds" -gt 0 ]; then
    echo "== where a hide's time goes: the hide floor with the program's steps added," \
        "$steps_rounds rounds by turns, all rounds' hides together"
    # The steps (bench/hide_steps.cpp), and the program itself, by name.
    steps_names=(floor async "async record" "enum pump tick zoomed" all "Tuckaway, no muting or yielding" Tuckaway)
    declare -A steps_of=([floor]="" [async]="async" ["async record"]="async record"
        ["enum pump tick zoomed"]="enum pump tick zoomed" [all]="enum pump tick zoomed record async")
    for round in $(seq 1 "$steps_rounds"); do
        for name in "${steps_names[@]}"; do
            case "$name" in
            Tuckaway*)
                if [ "$name" = Tuckaway ]; then
                    set_settings "Quake III Arena" "Quake 3: Arena" 0
                else
                    set_settings "Quake III Arena" "Quake 3: Arena" 0 0 0
                fi
                start "$exe"
                ;;
            *)
                # shellcheck disable=SC2086 # the steps, one word each
                start "$bench/hide_steps.exe" "$WINEDEBUG" ${steps_of[$name]}
                start "$bench/floor_show.exe"
                ;;
            esac
            keys "$presses" 'C:\bench-presses.txt' >/dev/null
            tr -d '\r' <"$WINEPREFIX/drive_c/bench-presses.txt" >>"$steps_dir/$name"
            for program in "${!running[@]}"; do
                stop "$program"
            done
        done
    done
    for name in "${steps_names[@]}"; do
        awk '$2 == "hide" { print $3 }' "$steps_dir/$name" | sort -g | awk -v name="$name" '
            { took[NR] = $1 }
            END {
                printf "hides, %s: n=%d median %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms\n", name, NR,
                    took[int(0.5 * (NR - 1) + 1.5)], took[int(0.9 * (NR - 1) + 1.5)], took[int(0.99 * (NR - 1) + 1.5)], took[NR]
            }'
    done
fi

echo "== settings writes of one hide and one restore, in Wine's registry trace over $count_presses presses"
set_settings "Quake III Arena" "Quake 3: Arena" 0
start "$exe" -all,+timestamp,trace+reg
keys "$count_presses" 'C:\bench-presses.txt' >/dev/null
stop "$exe"
# Each write belongs to the last press before it: the presses' times and the
# trace's are the same clock (+timestamp: seconds, to the millisecond). The
# first hide and restore meet start-up's one-time work and the last are
# followed by the game's end: they are left out. A write is a settings write
# when its key was opened by a name under the program's own key.
writes="$(tr -d '\r' <"$WINEPREFIX/drive_c/bench-presses.txt" | awk '
    FNR == NR { at[++presses] = int($1); kind[presses] = $2; next }
    {
        split($0, part, ":")
        time = part[1] * 1000
        thread = part[2]
        call = substr($0, index($0, ":trace:reg:") + 11)
    }
    call ~ /^(NtCreateKey|NtOpenKeyEx) \(/ {
        name[thread] = call
        next
    }
    call ~ /^(NtCreateKey|NtOpenKeyEx) <- / {
        key[$NF] = name[thread]
        next
    }
    call ~ /^NtSetValueKey \(/ {
        handle = substr(call, 16)
        sub(/,.*/, "", handle)
        value = call
        sub(/^[^"]*"/, "", value)
        sub(/".*/, "", value)
        press = 0
        for (i = 1; i <= presses && at[i] <= time; i++) {
            press = i
        }
        if (press < 3 || press > presses - 2) {
            next
        }
        if (key[handle] ~ /Tuckaway v1\.10/) {
            settings[kind[press]]++
            names[value] = 1
        } else {
            others[kind[press]]++
        }
    }
    END {
        counted = (presses - 4) / 2
        for (value in names) {
            list = list " " value
        }
        printf "settings writes per hide: %g, per restore: %g\n", settings["hide"] / counted, settings["show"] / counted
        printf "(over %d hides and %d restores; values written:%s; the system'"'"'s own registry writes in the program for the calls it makes: %g per hide, %g per restore)\n",
            counted, counted, list, others["hide"] / counted, others["show"] / counted
    }' - "$output")"
echo "$writes"

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

# hotkey_row KIND WHAT: the table's row of one kind of press, from the round of the middle ratio.
hotkey_row() {
    local round
    round="$(middle "$1" ratio | cut -d' ' -f2)"
    awk -v what="$2" -v n="$((presses / 2))" -v round="$round" -v rounds="$rounds" \
        -v f="${by_round[floor_$1,$round]}" -v p="${by_round[program_$1,$round]}" \
        -v fm="${by_round[floor_$1_median,$round]}" -v pm="${by_round[program_$1_median,$round]}" \
        -v r="${by_round[$1_ratio,$round]}" -v c="$(middle "$1" control | cut -d' ' -f1)" '
        BEGIN {
            printf "| hot-key press → %s, %d presses, p99 (round %d of %d, the middle ratio; the floor against itself: %.2f) | %.2f ms | %.2f ms (median %.2f vs %.2f) | %.2f | ≤ 1.5 |\n",
                   what, n, round, rounds, c, f, p, pm, fm, r
        }'
}

echo
echo "| figure | floor (same run) | Tuckaway | ratio | goal |"
echo "|---|---|---|---|---|"
hotkey_row hide "game window hidden (floor_hide)"
hotkey_row show "game window shown (floor_show)"
hotkey_row front "game window shown and in front (floor_show)"
awk -v fs="$(bench_field "$floor_start" median)" -v ps="$(bench_field "$program_start" median)" \
    -v fp="${idle_figures[floor_program]}" -v fo="${idle_figures[floor_others]}" \
    -v pp="${idle_figures[program_program]}" -v po="${idle_figures[program_others]}" \
    -v fr="${idle_figures[floor_rss]}" -v pr="${idle_figures[program_rss]}" \
    -v t="$idle_seconds" -v s="$starts" '
    BEGIN {
        fi = fp + fo
        pi = pp + po
        printf "| idle, automatic mode, no game, %d s, CPU of the program + wineserver + explorer | %.2f s | %.2f s (program %.2f, wineserver + explorer %.2f) | %.2f | ≤ 1.2 |\n",
               t, fi, pi, pp, po, pi / fi
        printf "| process start → first hot key that hides, median of %d | %.0f ms | %.0f ms | %.2f | ≤ 1.5 |\n",
               s, fs, ps, ps / fs
        printf "| resident memory after start | %.1f MB | %.1f MB | floor + %.1f MB | ≤ floor + 6 MB |\n",
               fr, pr, pr - fr
    }'
echo "$writes"
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
        on="$(grep "^press to $kind: " <<<"$program_keys")"
        off="$(grep "^press to $kind: " <<<"$3")"
        line="$([ "$kind" = hidden ] && echo hides || echo restores), $1 on ($2=1): median"
        echo "$line $(bench_field "$on" median) ms, p99 $(bench_field "$on" p99) ms;" \
            "off: median $(bench_field "$off" median) ms, p99 $(bench_field "$off" p99) ms"
    done
}
on_and_off muting MuteWhenHidden "$unmuted_keys"
on_and_off yielding YieldWhenHidden "$unyielding_keys"
for option in 0 1; do
    echo "restores ${hold_ms} ms after their hides, FreezeWhenHidden=$option: median" \
        "$(figure "${held_keys[$option]}" shown median) ms, p99 $(figure "${held_keys[$option]}" shown p99) ms;" \
        "the show floor: median $(figure "$held_floor" shown median) ms, p99 $(figure "$held_floor" shown p99) ms;" \
        "p99 ratio $(ratio "$(figure "${held_keys[$option]}" shown p99)" "$(figure "$held_floor" shown p99)")"
done
echo "the game's processor time over ${freeze_seconds} s: shown ${freeze_figures[shown_0]} s;" \
    "hidden, FreezeWhenHidden=0: ${freeze_figures[hidden_0]} s; hidden, FreezeWhenHidden=1: ${freeze_figures[hidden_1]} s"
