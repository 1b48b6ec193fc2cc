#!/usr/bin/env bash
# The whole test suite: host tests (with sanitizers), the 32- and 64-bit
# Windows builds' tests under Wine, then the end-to-end scenarios against the
# 32-bit Tuckaway.exe. Ends with one line "N passed, N failed"; exits non-zero
# if anything failed or did not build.
#
#   TUCKAWAY_TEST_WINEPREFIX   the tests' own Wine prefix (default
#                              ~/.cache/tuckaway/wineprefix-test), apart from the
#                              one scripts/run.sh uses, so tests never see its settings
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo" || exit 1
. scripts/xvfb.sh

passed=0
failed=0
logs="$repo/build/test-logs"
started=$SECONDS

stage() { printf '\n=== %s (at %d s)\n' "$*" $((SECONDS - started)); }

# A step that is not a test (a build, say) but fails the run when it fails.
step_failed() {
    echo "*** $1 failed" >&2
    failed=$((failed + 1))
}

# count_ctest LOG: adds the counts of ctest's closing summary. A run that ended
# without a summary counts as one failure.
count_ctest() {
    local summary total bad
    summary="$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)"
    if [ -z "$summary" ]; then
        if grep -q 'No tests were found' "$1"; then
            return 0
        fi
        step_failed "ctest ($1)"
        return
    fi
    bad="$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$summary")"
    total="$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$summary")"
    passed=$((passed + total - bad))
    failed=$((failed + bad))
}

# build PRESET: configures and builds every target of a preset.
build() {
    cmake --preset "$1" >"$logs/$1.configure.log" 2>&1 || {
        cat "$logs/$1.configure.log" >&2
        step_failed "configuring $1"
        return 1
    }
    cmake --build --preset "$1" -j2 >"$logs/$1.build.log" 2>&1 || {
        tail -n 60 "$logs/$1.build.log" >&2
        step_failed "building $1"
        return 1
    }
}

# run_ctest PRESET JOBS: runs a build's tests.
run_ctest() {
    ctest --test-dir "build/$1" --output-on-failure --no-tests=ignore --timeout 120 -j"$2" 2>&1 |
        tee "$logs/$1.ctest.log"
    count_ctest "$logs/$1.ctest.log"
}

mkdir -p "$logs"
stage "setting up"
export TUCKAWAY_WINEPREFIX="${TUCKAWAY_TEST_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix-test}"
if ! bash scripts/setup.sh; then
    echo "0 passed, 1 failed"
    exit 1
fi

stage "host: build and test (sanitizers on)"
if build host; then
    run_ctest host 2
fi

# Win32 tests need a display, and one wineserver kept alive for the whole run
# saves a server start for every test program.
export WINEPREFIX="$TUCKAWAY_WINEPREFIX" WINEDEBUG=-all LANG=C.UTF-8
unset LC_ALL
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
if ! tuckaway_start_xvfb; then
    step_failed "starting Xvfb"
    echo "$passed passed, $failed failed"
    exit 1
fi
export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    tuckaway_stop_xvfb
}
trap cleanup EXIT
wineserver -p
# The first Wine program starts the desktop and Wine's services, and they keep
# its standard output: under ctest, whose tests' output is a pipe, the first
# test would never finish. Start them here, holding nothing.
wine explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
for _ in $(seq 1 300); do
    xdotool search --name ' - Wine desktop$' >/dev/null 2>&1 && break
    sleep 0.2
done

built_i686=0
for preset in i686 x86_64; do
    stage "$preset: build and test under Wine (display $DISPLAY)"
    # One at a time: Win32 tests share the desktop, its focus and its hot keys.
    if build "$preset"; then
        [ "$preset" = i686 ] && built_i686=1
        run_ctest "$preset" 1
    fi
done

stage "end-to-end scenarios"
if [ "$built_i686" -eq 0 ]; then
    # Whatever Tuckaway.exe is left from an earlier build is not what is being tested.
    echo "skipped: the i686 build failed"
    echo "$passed passed, $failed failed"
    exit 1
fi
TUCKAWAY_E2E_DISPLAY="$DISPLAY" TUCKAWAY_E2E_HELPERS="$repo/build/i686/tests/e2e" \
    TUCKAWAY_EXE="$repo/build/i686/app/Tuckaway.exe" bash tests/e2e/run.sh 2>&1 | tee "$logs/e2e.log"
e2e_summary="$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$logs/e2e.log" | tail -n 1)"
if [ -n "$e2e_summary" ]; then
    passed=$((passed + $(cut -d' ' -f1 <<<"$e2e_summary")))
    failed=$((failed + $(cut -d' ' -f3 <<<"$e2e_summary")))
else
    step_failed "the end-to-end run"
fi

stage "done"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
