#!/usr/bin/env bash
# setup.sh pointed at a folder that holds a file of the user's (a Wine prefix
# of their own, say) refuses it, says what to do, fails, and leaves the file as
# it was. Run by test.sh as one case.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf -- "$tmp"' EXIT

mkdir "$tmp/prefix"
content='[Software\\Wine] the user'"'"'s own settings'
printf '%s\n' "$content" >"$tmp/prefix/user.reg"

out="$(TUCKAWAY_WINEPREFIX="$tmp/prefix" bash "$repo/scripts/setup.sh" 2>&1)"
rc=$?
printf '%s\n' "$out"

ok=1
fail() {
    echo "FAILED: $*"
    ok=0
}
[ "$rc" -ne 0 ] || fail "setup.sh succeeded on a folder it did not create"
grep -qF "refusing to use $tmp/prefix" <<<"$out" || fail "no refusal naming the folder"
grep -qF "Point TUCKAWAY_WINEPREFIX" <<<"$out" || fail "the message does not say what to do"
[ "$(cat "$tmp/prefix/user.reg" 2>/dev/null)" = "$content" ] || fail "the user's file is gone or changed"
[ "$(ls -A "$tmp/prefix" 2>/dev/null)" = user.reg ] || fail "the folder no longer holds just the user's file"
[ "$ok" = 1 ]
