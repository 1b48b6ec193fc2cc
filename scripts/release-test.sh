#!/usr/bin/env bash
# The x86_64 release, made twice by scripts/release.sh in two clean clones
# whose folders differ in name and length: the exe, the zip and SHA256SUMS
# must be byte for byte the same. Also checks that the zip holds exactly the
# three files and that its name and the exe's version resource carry CMake's
# project version. Run by test.sh as one case.
#
# The clones are of `git rev-parse HEAD`: uncommitted changes are not tested.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
head="$(git -C "$repo" rev-parse HEAD)" || exit 1
started=$SECONDS
tmp="$(mktemp -d /tmp/tuckaway-release-test.XXXXXX)" || exit 1
trap 'rm -rf -- "$tmp"' EXIT

ok=1
fail() {
    echo "FAILED: $*"
    ok=0
}

clones=("$tmp/a" "$tmp/a-clone-in-a-longer-folder/b")
for clone in "${clones[@]}"; do
    echo "=== $clone"
    mkdir -p "$clone"
    # A fetch of the commit itself: HEAD may be on no branch (as in CI).
    if ! { git -C "$clone" init -q && git -C "$clone" fetch -q --depth 1 "file://$repo" "$head" &&
        git -C "$clone" checkout -q --detach FETCH_HEAD; }; then
        echo "FAILED: cloning $head into $clone"
        exit 1
    fi
    if ! bash "$clone/scripts/release.sh" x86_64; then
        echo "FAILED: scripts/release.sh x86_64 in $clone"
        exit 1
    fi
done

a="${clones[0]}"
b="${clones[1]}"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$a/build/x86_64/CMakeCache.txt")"
[ -n "$version" ] || fail "no CMAKE_PROJECT_VERSION in $a/build/x86_64/CMakeCache.txt"
zip="Tuckaway-$version-win64.zip"
echo "=== comparing (project version $version)"
for file in build/x86_64/app/Tuckaway.exe "build/release/$zip" build/release/SHA256SUMS; do
    if [ ! -f "$a/$file" ] || [ ! -f "$b/$file" ]; then
        fail "$file was not made in both clones"
        continue
    fi
    for clone in "$a" "$b"; do
        if grep -qaF "$clone" "$clone/$file"; then
            fail "$file holds its clone's folder $clone"
        fi
    done
    if ! cmp -s "$a/$file" "$b/$file"; then
        fail "$file differs between the two clones, first at $(cmp "$a/$file" "$b/$file" 2>&1 | sed 's/.* differ: //')"
        if [[ "$file" == *.exe ]]; then
            echo "the PE headers' differences (< first clone, > second):"
            diff <(x86_64-w64-mingw32-objdump -p "$a/$file" | grep -v 'file format') \
                <(x86_64-w64-mingw32-objdump -p "$b/$file" | grep -v 'file format') | head -n 20
        fi
    fi
done

exe="$a/build/x86_64/app/Tuckaway.exe"
if [ -f "$a/build/release/$zip" ]; then
    names="$(python3 -c 'import sys, zipfile; print(" ".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
        "$a/build/release/$zip")"
    [ "$names" = "README.txt Tuckaway.exe forks.reg" ] ||
        fail "$zip holds \"$names\", not \"README.txt Tuckaway.exe forks.reg\""
    unzip_exe="$(python3 -c 'import sys, zipfile; sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read("Tuckaway.exe"))' \
        "$a/build/release/$zip" | sha256sum)"
    [ "$unzip_exe" = "$(sha256sum <"$exe")" ] || fail "the Tuckaway.exe in $zip is not the one built"
fi
for field in FileVersion ProductVersion; do
    shown="$(x86_64-w64-mingw32-strings -el "$exe" | grep -A1 -x "$field" | sed -n 2p)"
    [ "$shown" = "$version" ] || fail "the exe's $field is \"$shown\", not the project version $version"
done

echo "took $((SECONDS - started)) s"
[ "$ok" = 1 ] && echo "the same bytes from both clones: Tuckaway.exe, $zip, SHA256SUMS"
[ "$ok" = 1 ]
