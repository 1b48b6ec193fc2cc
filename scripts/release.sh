#!/usr/bin/env bash
# Makes the release zips: configures and builds the i686 and x86_64 presets as
# needed, packages each (Tuckaway-<version>-win32.zip and -win64.zip), copies
# both into build/release/ with one SHA256SUMS for both, and prints the sums.
#
#   bash scripts/release.sh [PRESET...]   only these presets (default: i686 x86_64)
#
# Safe to run again: the same commit gives the same bytes. It writes only the
# build folders and its own zips and SHA256SUMS in build/release/, and
# deletes nothing.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"

presets=("$@")
if [ ${#presets[@]} -eq 0 ]; then
    presets=(i686 x86_64)
fi

for tool in git cmake ninja python3 i686-w64-mingw32-g++-posix x86_64-w64-mingw32-g++-posix; do
    if ! command -v "$tool" >/dev/null; then
        echo "release: $tool is missing; bash scripts/setup.sh installs it" >&2
        exit 1
    fi
done
if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
    echo "release: warning: the zips hold uncommitted changes; they are dated by the last commit" >&2
fi

out="$repo/build/release"
mkdir -p "$out"
zips=()
for preset in "${presets[@]}"; do
    case "$preset" in
        i686 | x86_64) ;;
        *)
            echo "release: no Windows preset named $preset (i686 or x86_64)" >&2
            exit 1
            ;;
    esac
    echo "release: $preset"
    cmake --preset "$preset" --log-level=WARNING >/dev/null
    cmake --build --preset "$preset" --target package
    # The package target names its zip in the SHA256SUMS it writes beside it.
    sums="build/$preset/SHA256SUMS"
    (cd "build/$preset" && sha256sum --quiet -c SHA256SUMS)
    zip="$(sed -E 's/^[0-9a-f]{64}  //' "$sums")"
    [[ "$zip" == Tuckaway-*.zip ]] || { echo "release: $sums names no zip" >&2; exit 1; }
    cp -- "build/$preset/$zip" "$out/$zip.tmp"
    mv -- "$out/$zip.tmp" "$out/$zip"
    zips+=("$zip")
done

(cd "$out" && sha256sum -- "${zips[@]}" >SHA256SUMS.tmp && mv -- SHA256SUMS.tmp SHA256SUMS)
echo "release: $out/SHA256SUMS"
cat "$out/SHA256SUMS"
