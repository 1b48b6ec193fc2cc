#!/usr/bin/env bash
# The whole test suite: setup; clang-format, shellcheck, the layering check and setup's prefix
# safety; the x86_64 release zip made twice from two clean clones, which must
# give the same bytes (scripts/release-test.sh); the host tests (with
# sanitizers); both Windows builds and their tests under Wine; then the
# end-to-end scenarios. The closing line "N passed, N failed, N skipped" counts
# test cases; the lines above it say how long each stage took, what was skipped
# and why, which build the scenarios drove, and name every failed case. Exits
# non-zero if anything failed or did not build.
#
# Where Wine runs no 32-bit programs (scripts/wine-env.sh decides), both
# builds are still built, the i686 build's Wine tests are skipped and the
# scenarios drive the x86_64 build.
#
#   TUCKAWAY_TEST_WINEPREFIX   the tests' own Wine prefix (default
#                              ~/.cache/tuckaway/wineprefix-test), apart from the
#                              one scripts/run.sh uses, so tests never see its settings
#   TUCKAWAY_WINE64_ONLY=1     take the 64-bit path even where 32-bit programs run
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo" || exit 1
# shellcheck source=xvfb.sh
. scripts/xvfb.sh

passed=0
failed=0
skipped=0
failures=()
notes=()
durations=()
logs="$repo/build/test-logs"
suite_started=$SECONDS
stage_name=
stage_started=0
wine_up=0

stage() {
    stage_done
    stage_name="$1"
    stage_started=$SECONDS
    printf '\n=== %s\n' "$1"
}

stage_done() {
    if [ -n "$stage_name" ]; then
        durations+=("$(printf '%-52s %4d s' "$stage_name" $((SECONDS - stage_started)))")
        stage_name=
    fi
}

case_failed() {
    failed=$((failed + 1))
    failures+=("$1")
    echo "*** FAILED: $1"
}

# record NAME STATUS: one case, passed when STATUS is 0; its output, kept in
# the logs as NAME.log, is shown when it failed.
record() {
    if [ "$2" -eq 0 ]; then
        passed=$((passed + 1))
        echo "PASS $1"
    else
        head -n 40 "$logs/$1.log"
        case_failed "$1 (see $logs/$1.log)"
    fi
}

# count_results PREFIX: counts "PASS|FAIL|SKIP NAME" lines on stdin as cases.
count_results() {
    local verdict name
    while read -r verdict name; do
        case "$verdict" in
            PASS) passed=$((passed + 1)) ;;
            FAIL) case_failed "$1$name" ;;
            SKIP)
                skipped=$((skipped + 1))
                notes+=("Skipped: $1$name (disabled, or skipped by the test itself)")
                ;;
        esac
    done
}

# junit_results REPORT: "PASS|FAIL|SKIP Suite.Case" for every case of a JUnit
# report, as CTest and GoogleTest write them.
junit_results() {
    awk '
        function attr(tag, key) {
            if (!match(tag, " " key "=\"[^\"]*\"")) return ""
            return substr(tag, RSTART + length(key) + 3, RLENGTH - length(key) - 4)
        }
        function flush() { if (name != "") print verdict, name; name = "" }
        # Tags start their lines; a message quoted inside a case never does.
        /^[ \t]*<testcase / {
            flush()
            name = attr($0, "name"); suite = attr($0, "classname")
            if (suite != "" && suite != name) name = suite "." name
            status = attr($0, "status"); result = attr($0, "result")
            verdict = "PASS"
            if (status == "fail") verdict = "FAIL"
            else if (status == "notrun" || status == "disabled" || result == "skipped" || result == "suppressed") verdict = "SKIP"
            if ($0 ~ /\/>[ \t\r]*$/) flush()
            next
        }
        name != "" && /^[ \t]*<failure/ { verdict = "FAIL" }
        name != "" && /^[ \t]*<skipped/ && verdict != "FAIL" { verdict = "SKIP" }
        /^[ \t]*<\/testcase>/ { flush() }
        END { flush() }
    ' "$1"
}

# build PRESET: configures and builds every target of a preset.
build() {
    if ! cmake --preset "$1" >"$logs/$1.configure.log" 2>&1; then
        tail -n 40 "$logs/$1.configure.log"
        case_failed "configuring $1 (see $logs/$1.configure.log)"
        return 1
    fi
    if ! cmake --build --preset "$1" -j2 >"$logs/$1.build.log" 2>&1; then
        tail -n 60 "$logs/$1.build.log"
        case_failed "building $1 (see $logs/$1.build.log)"
        return 1
    fi
    echo "built $1"
}

# Every tracked file (every file but the builds' outside a git checkout).
source_files() {
    git ls-files 2>/dev/null || find . -path ./build -prune -o -type f -print | sed 's|^\./||'
}

shell_scripts() {
    local f
    source_files | while read -r f; do
        case "$f" in
            *.sh) echo "$f" ;;
            *) [ -f "$f" ] && head -c 64 "$f" | head -n 1 | grep -qE '^#!.*[/ ](ba|da)?sh$' && echo "$f" ;;
        esac
    done
}

clang_format_clean() {
    local files
    mapfile -t files < <(source_files | grep -E '\.(cpp|h)$')
    echo "${#files[@]} C++ files"
    clang-format --dry-run --Werror "${files[@]}"
}

shellcheck_clean() {
    local files
    mapfile -t files < <(shell_scripts)
    echo "${#files[@]} shell scripts: ${files[*]}"
    shellcheck -x -P SCRIPTDIR "${files[@]}"
}

# run_wine_tests PRESET: runs a Windows build's tests under Wine; its cases
# are counted from GoogleTest's report. Sets wine_cases.
run_wine_tests() {
    local report="build/$1/tests/wine/wine_tests.xml" before=$failed rc
    rm -f "$report"
    # One at a time: Win32 tests share the desktop, its focus and its hot keys.
    ctest --test-dir "build/$1" --output-on-failure --no-tests=error --timeout 300 -j1 2>&1 |
        tee "$logs/$1.ctest.log"
    rc=${PIPESTATUS[0]}
    if [ ! -s "$report" ]; then
        case_failed "$1: wine_tests wrote no report (crashed, hung or never started; see $logs/$1.ctest.log)"
        return
    fi
    wine_cases="$(grep -c '<testcase ' "$report")"
    count_results "$1: " < <(junit_results "$report")
    echo "$1: $wine_cases cases in $report"
    if [ "$rc" -ne 0 ] && [ "$failed" -eq "$before" ]; then
        case_failed "$1: wine_tests exited with an error after its cases (see $logs/$1.ctest.log)"
    fi
}

cleanup() {
    if [ "$wine_up" = 1 ]; then
        tuckaway_wineserver_stop
        tuckaway_stop_xvfb
        wine_up=0
    fi
}
trap cleanup EXIT

finish() {
    stage_done
    cleanup
    printf '\n=== summary\nStage durations:\n'
    printf '  %s\n' "${durations[@]}"
    printf '  %-52s %4d s\n' "the whole suite" $((SECONDS - suite_started))
    if [ ${#notes[@]} -gt 0 ]; then
        printf '%s\n' "${notes[@]}"
    fi
    if [ "$failed" -gt 0 ]; then
        echo "Failed:"
        printf '  %s\n' "${failures[@]}"
    fi
    echo "$passed passed, $failed failed, $skipped skipped"
    [ "$failed" -eq 0 ]
    exit
}

mkdir -p "$logs"
stage "setup"
export TUCKAWAY_WINEPREFIX="${TUCKAWAY_TEST_WINEPREFIX:-$HOME/.cache/tuckaway/wineprefix-test}"
if ! bash scripts/setup.sh; then
    case_failed "setup (see its message above)"
    finish
fi
# shellcheck source=wine-env.sh
. scripts/wine-env.sh
tuckaway_wine_summary

stage "checks: format, shellcheck, layers, prefix safety"
clang_format_clean >"$logs/clang-format.log" 2>&1
record clang-format $?
shellcheck_clean >"$logs/shellcheck.log" 2>&1
record shellcheck $?
bash scripts/check-layers.sh >"$logs/layers.log" 2>&1
record layers $?
bash scripts/prefix-safety-test.sh >"$logs/prefix-safety.log" 2>&1
record prefix-safety $?

stage "release: the x86_64 zip from two clean clones"
bash scripts/release-test.sh >"$logs/release.log" 2>&1
record release $?

stage "host: build and test (sanitizers on)"
if build host; then
    rm -f "$logs/host.junit.xml"
    # A line per case is noise while they pass: the whole log only when one failed.
    if ctest --test-dir build/host --output-on-failure --timeout 120 -j2 --output-junit "$logs/host.junit.xml" \
        >"$logs/host.ctest.log" 2>&1; then
        sed -n '/tests passed, /,$p' "$logs/host.ctest.log"
    else
        cat "$logs/host.ctest.log"
    fi
    if grep -q '<testcase ' "$logs/host.junit.xml" 2>/dev/null; then
        count_results "host: " < <(junit_results "$logs/host.junit.xml")
    else
        case_failed "host: no test case ran (see $logs/host.ctest.log)"
    fi
fi

# Win32 tests need a display, and one wineserver kept alive for the whole run
# saves a server start for every test program.
stage "Wine: display and virtual desktop"
export WINEPREFIX="$TUCKAWAY_WINEPREFIX" WINEDEBUG=-all LANG=C.UTF-8
unset LC_ALL
tuckaway_wineserver_stop
if ! tuckaway_start_xvfb; then
    case_failed "starting Xvfb"
    finish
fi
wine_up=1
export DISPLAY="$TUCKAWAY_XVFB_DISPLAY"
wineserver -p
# The first Wine program starts the desktop and Wine's services, and they keep
# its standard output: under ctest, whose tests' output is a pipe, the first
# test would never finish. Start them here, holding nothing.
wine explorer /desktop=Default,1024x768 </dev/null >/dev/null 2>&1 &
if ! tuckaway_wait_for_desktop 60; then
    case_failed "the Wine virtual desktop on $DISPLAY (see the message above)"
    finish
fi
echo "Wine desktop up on display $DISPLAY"

declare -A built=()
wine_cases=0
# x86_64 first: its number of cases is what is skipped of i686 where that cannot run.
for preset in x86_64 i686; do
    stage "$preset: build and Wine tests"
    build "$preset" || continue
    built[$preset]=1
    if [ "$preset" = i686 ] && [ -n "$TUCKAWAY_WINE32_SKIPPED" ]; then
        n=$((wine_cases > 0 ? wine_cases : 1))
        skipped=$((skipped + n))
        notes+=("Skipped: the i686 build's Wine tests ($n cases): $TUCKAWAY_WINE32_SKIPPED")
        echo "skipped: the i686 build's Wine tests ($n cases): $TUCKAWAY_WINE32_SKIPPED"
        continue
    fi
    run_wine_tests "$preset"
done

arch="$TUCKAWAY_WINE_ARCH"
stage "end-to-end scenarios ($arch build)"
if [ -z "${built[$arch]:-}" ]; then
    # Whatever Tuckaway.exe is left from an earlier build is not what is being tested.
    case_failed "end-to-end scenarios: the $arch build failed, so nothing was driven"
    finish
fi
TUCKAWAY_E2E_DISPLAY="$DISPLAY" TUCKAWAY_E2E_HELPERS="$repo/build/$arch/tests/e2e" \
    TUCKAWAY_EXE="$repo/build/$arch/app/Tuckaway.exe" bash tests/e2e/run.sh 2>&1 | tee "$logs/e2e.log"
if grep -qE '^[0-9]+ passed, [0-9]+ failed$' "$logs/e2e.log"; then
    count_results "e2e ($arch): " < <(sed -nE 's/^(PASS|FAIL) ([^ ]+).*/\1 \2/p' "$logs/e2e.log")
    notes+=("The end-to-end scenarios drove the $arch build: build/$arch/app/Tuckaway.exe.")
else
    case_failed "e2e ($arch): the run ended without its closing line (see $logs/e2e.log)"
fi

finish
