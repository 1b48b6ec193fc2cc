#!/usr/bin/env bash
# Runs every scenario_*.sh in this folder against Tuckaway.exe under Wine and
# ends with one line "N passed, N failed"; exits non-zero if any failed.
#
#   TUCKAWAY_EXE            the program under test (default build/i686/app/Tuckaway.exe)
#   TUCKAWAY_E2E_HELPERS    folder of standin_game.exe, probe.exe, hold_hotkey.exe
#                           (default build/i686/tests/e2e; built here if missing)
#   TUCKAWAY_E2E_DISPLAY    an X display whose wineserver the caller owns; without
#                           it a private Xvfb and wineserver are started and stopped
#   TUCKAWAY_WINEPREFIX     the Wine prefix (default the one scripts/setup.sh makes)
#   E2E_ONLY                run only the scenario functions matching this regex
set -uo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [ ! -f "$TUCKAWAY_EXE" ]; then
    echo "e2e: $TUCKAWAY_EXE does not exist; build it first (cmake --preset i686 && cmake --build --preset i686)" >&2
    echo "0 passed, 1 failed"
    exit 1
fi

# The helpers are part of the i686 build when the tree includes this folder;
# otherwise this folder is built on its own.
if [ ! -f "$TUCKAWAY_E2E_HELPERS/probe.exe" ]; then
    TUCKAWAY_E2E_HELPERS="$E2E_REPO/build/e2e-helpers"
    echo "e2e: building the helper programs in $TUCKAWAY_E2E_HELPERS"
    if ! { cmake -S "$E2E_DIR" -B "$TUCKAWAY_E2E_HELPERS" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$E2E_REPO/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null &&
        cmake --build "$TUCKAWAY_E2E_HELPERS" -j2 >/dev/null; }; then
        echo "e2e: could not build the helper programs" >&2
        echo "0 passed, 1 failed"
        exit 1
    fi
fi

if ! e2e_env_start; then
    echo "e2e: could not start Wine on a display" >&2
    e2e_env_stop
    echo "0 passed, 1 failed"
    exit 1
fi
trap e2e_env_stop EXIT

echo "e2e: $TUCKAWAY_EXE on display $DISPLAY (artifacts in $TUCKAWAY_E2E_ARTIFACTS)"
for file in "$E2E_DIR"/scenario_*.sh; do
    [ -e "$file" ] || continue
    # shellcheck source=/dev/null
    . "$file"
    for name in $(sed -n 's/^\(scenario_[A-Za-z0-9_]*\)() *{.*/\1/p' "$file"); do
        if [ -n "${E2E_ONLY:-}" ] && ! [[ "$name" =~ $E2E_ONLY ]]; then
            continue
        fi
        e2e_run_scenario "$name"
    done
done

echo "$E2E_PASSED passed, $E2E_FAILED failed"
[ "$E2E_FAILED" -eq 0 ]
