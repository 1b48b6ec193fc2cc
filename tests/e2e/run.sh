#!/usr/bin/env bash
# Runs every scenario_*.sh in this folder against Tuckaway.exe under Wine, each
# under a watchdog, and ends with one line "N passed, N failed"; every scenario
# has a PASS or FAIL line naming the build it drove. Exits non-zero if any failed.
#
#   TUCKAWAY_EXE            the program under test (default the build that runs
#                           here: build/i686/app/Tuckaway.exe, or build/x86_64/...
#                           where Wine runs no 32-bit programs; see scripts/wine-env.sh)
#   TUCKAWAY_E2E_HELPERS    folder of standin_game.exe, probe.exe, hold_hotkey.exe
#                           (default build/<that arch>/tests/e2e; built here if missing)
#   TUCKAWAY_E2E_DISPLAY    an X display whose wineserver the caller owns; without
#                           it a private Xvfb and wineserver are started and stopped
#   TUCKAWAY_WINEPREFIX     the Wine prefix (default the one scripts/setup.sh makes)
#   E2E_ONLY                run only the scenario functions matching this regex
#   E2E_SCENARIO_TIMEOUT    seconds a scenario may take before the watchdog ends it (120)
#   E2E_SELFTEST=1          also run selftest_*.sh: a scenario that hangs on purpose,
#                           to see the watchdog end it (it fails; not part of the suite)
set -uo pipefail

# shellcheck source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# e2e_abort MESSAGE: the run cannot start; says why, as a failure test.sh counts.
e2e_abort() {
    echo "e2e: $1" >&2
    echo "FAIL e2e_setup ($1)"
    echo "0 passed, 1 failed"
    exit 1
}

if [ ! -f "$TUCKAWAY_EXE" ]; then
    e2e_abort "$TUCKAWAY_EXE does not exist; build it first (cmake --preset $TUCKAWAY_WINE_ARCH && cmake --build --preset $TUCKAWAY_WINE_ARCH)"
fi
# The build is named from the exe itself, whatever folder it came from.
case "$(file -b "$TUCKAWAY_EXE")" in
    PE32+*x86-64*) E2E_ARCH=x86_64 ;;
    PE32*80386*) E2E_ARCH=i686 ;;
    *) e2e_abort "$TUCKAWAY_EXE is neither a 32- nor a 64-bit Windows program" ;;
esac
if [ "$E2E_ARCH" = i686 ] && [ -n "$TUCKAWAY_WINE32_SKIPPED" ]; then
    e2e_abort "$TUCKAWAY_EXE is a 32-bit program, and $TUCKAWAY_WINE32_SKIPPED"
fi

# The helpers are part of each Windows build when the tree includes this
# folder; otherwise this folder is built on its own.
if [ ! -f "$TUCKAWAY_E2E_HELPERS/probe.exe" ]; then
    TUCKAWAY_E2E_HELPERS="$E2E_REPO/build/e2e-helpers-$TUCKAWAY_WINE_ARCH"
    echo "e2e: building the helper programs in $TUCKAWAY_E2E_HELPERS"
    if ! { cmake -S "$E2E_DIR" -B "$TUCKAWAY_E2E_HELPERS" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$E2E_REPO/cmake/toolchain-$TUCKAWAY_WINE_ARCH-w64-mingw32.cmake" >/dev/null &&
        cmake --build "$TUCKAWAY_E2E_HELPERS" -j2 >/dev/null; }; then
        e2e_abort "could not build the helper programs"
    fi
fi

# Ctrl+C or a kill still runs the EXIT trap, which ends a running scenario.
trap 'exit 130' INT TERM
trap e2e_env_stop EXIT
if ! e2e_env_start; then
    e2e_abort "could not start Wine on a display"
fi

echo "e2e: driving the $E2E_ARCH build, $TUCKAWAY_EXE, on display $DISPLAY (artifacts in $TUCKAWAY_E2E_ARTIFACTS)"
if [ -n "$TUCKAWAY_WINE32_SKIPPED" ]; then
    echo "e2e: not the i686 build: $TUCKAWAY_WINE32_SKIPPED"
fi
files=("$E2E_DIR"/scenario_*.sh)
if [ -n "${E2E_SELFTEST:-}" ]; then
    files+=("$E2E_DIR"/selftest_*.sh)
fi
for file in "${files[@]}"; do
    [ -e "$file" ] || continue
    # shellcheck source=/dev/null
    . "$file"
    mapfile -t names < <(sed -n 's/^\(scenario_[A-Za-z0-9_]*\)() *{.*/\1/p' "$file")
    for name in "${names[@]}"; do
        if [ -n "${E2E_ONLY:-}" ] && ! [[ "$name" =~ $E2E_ONLY ]]; then
            continue
        fi
        e2e_run_scenario "$name"
    done
done

echo "$E2E_PASSED passed, $E2E_FAILED failed"
[ "$E2E_FAILED" -eq 0 ]
