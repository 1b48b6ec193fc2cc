#!/usr/bin/env bash
# Runs every benchmark of the real program under Wine, with a warm wineserver,
# in a private Xvfb and a 1024x768 virtual desktop, and prints the figures:
#   exe sizes and imported DLLs; start to tray icon (10 starts); hot-key
#   latency (200 presses); shaping each dialog; one detection tick and the
#   check-box cut; idle CPU per minute in automatic mode with no game.
#
# The measurements run on the 32-bit build, or on the 64-bit one where Wine
# runs no 32-bit programs (see scripts/wine-env.sh).
#
#   bash bench/run.sh            builds the i686 and x86_64 presets first
#   BENCH_IDLE_SECONDS=60        how long the idle measurement runs
#   TUCKAWAY_BENCH_BUILDS="DIR32 DIR64"  use these build folders as they are
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
# shellcheck source=../scripts/xvfb.sh
. scripts/xvfb.sh

export WINEPREFIX="${TUCKAWAY_BENCH_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix-bench}"
export WINEDEBUG=-all LANG=C.UTF-8
TUCKAWAY_WINEPREFIX="$WINEPREFIX" bash scripts/setup.sh >/dev/null
# shellcheck source=../scripts/wine-env.sh
. scripts/wine-env.sh
if [ -n "${TUCKAWAY_BENCH_BUILDS:-}" ]; then
    read -r build32 build64 <<<"$TUCKAWAY_BENCH_BUILDS"
else
    for preset in i686 x86_64; do
        cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j2 >/dev/null
    done
    build32="$repo/build/i686"
    build64="$repo/build/x86_64"
fi

if [ "$TUCKAWAY_WINE_ARCH" = i686 ]; then
    measured="$build32"
else
    measured="$build64"
fi
echo "$(tuckaway_wine_summary): measuring $measured"
exe="$measured/app/Tuckaway.exe"
bench="$measured/bench"
key='HKCU\Software\Tuckaway v1.10\program'

tuckaway_start_xvfb
export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
tuckaway_wineserver_stop
wineserver -p
# A desktop kept open for the whole run: no measurement pays for starting it.
wine explorer /desktop=Default,1024x768 >/dev/null 2>&1 &
desktop=$!
cleanup() {
    kill "${tuckaway:-}" 2>/dev/null || true
    kill "$desktop" 2>/dev/null || true
    tuckaway_wineserver_stop
    tuckaway_stop_xvfb
}
trap cleanup EXIT
tuckaway_wait_for_desktop 60

set_settings() { # game entry, title, DynaScreen
    tuckaway_reg delete 'HKCU\Software\Tuckaway v1.10' /f >/dev/null 2>&1 || true
    tuckaway_reg add "$key" /v currentgame_display /d "$1" /f >/dev/null 2>&1
    tuckaway_reg add "$key" /v currentgame /d "$2" /f >/dev/null 2>&1
    tuckaway_reg add "$key" /v DynaScreen /d "$3" /f >/dev/null 2>&1
}

start_tuckaway() {
    wine "$exe" >/dev/null 2>&1 &
    tuckaway=$!
    for _ in $(seq 1 100); do
        pgrep -f 'Tuckaway\.exe' >/dev/null && tuckaway_reg query "$key" /v HideQ3Func >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Tuckaway did not start" >&2
    return 1
}

stop_tuckaway() {
    wine taskkill /f /im Tuckaway.exe >/dev/null 2>&1 || true
    wait "$tuckaway" 2>/dev/null || true
    tuckaway=
}

# utime + stime of the Linux processes matching a pattern, in clock ticks.
cpu_ticks() {
    local total=0 pid
    for pid in $(pgrep -f "$1"); do
        total=$((total + $(awk '{print $14 + $15}' "/proc/$pid/stat" 2>/dev/null || echo 0)))
    done
    echo "$total"
}

echo "== sizes and imports"
for arch in i686 x86_64; do
    [ "$arch" = i686 ] && file="$build32/app/Tuckaway.exe" || file="$build64/app/Tuckaway.exe"
    imports="$("$arch-w64-mingw32-objdump" -p "$file" | sed -n 's/^\tDLL Name: //p' | sort | tr '\n' ' ')"
    echo "$arch: $(stat -c %s "$file") bytes; imports: $imports"
done

echo "== start to tray icon added"
wine "$bench/bench_tool.exe" startup "$(winepath -w "$exe")" 10

echo "== hot-key latency"
set_settings "Quake III Arena" "Quake 3: Arena" 0
start_tuckaway
wine "$bench/bench_tool.exe" hotkey 200
stop_tuckaway

echo "== shaping"
wine "$bench/bench_shaping.exe" 200

echo "== detection tick and check-box cut"
set_settings "-=Automatic Game Detection=-" " " 1
wine "$bench/bench_tick.exe" 1000

echo "== idle cost, automatic detection, no game"
set_settings "-=Automatic Game Detection=-" " " 1
start_tuckaway
sleep 3
seconds="${BENCH_IDLE_SECONDS:-60}"
hz="$(getconf CLK_TCK)"
program_before="$(cpu_ticks 'Tuckaway\.exe')"
server_before="$(cpu_ticks '^wineserver|/wineserver')"
sleep "$seconds"
program_after="$(cpu_ticks 'Tuckaway\.exe')"
server_after="$(cpu_ticks '^wineserver|/wineserver')"
stop_tuckaway
awk -v p=$((program_after - program_before)) -v s=$((server_after - server_before)) -v hz="$hz" -v t="$seconds" \
    'BEGIN { printf "Tuckaway.exe: %.2f CPU s per minute; wineserver meanwhile: %.2f CPU s per minute\n", p / hz * 60 / t, s / hz * 60 / t }'
