#!/usr/bin/env bash
# Fails when an include points the wrong way between the layers (see
# docs/architecture.md): each folder may include only itself and the folders
# listed for it, and the portable ones never include <windows.h>.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A allowed=(
    [ports]="ports"
    [fake]="ports fake"
    [state]="ports state"
    [hotkeys]="ports state hotkeys"
    [dialogs]="ports state hotkeys dialogs"
    [app]="ports state hotkeys dialogs app"
    [handles]="handles"
    [shaping]="handles shaping"
    [windows]="ports handles shaping windows"
)
portable="ports fake state hotkeys dialogs app"

status=0
for folder in "${!allowed[@]}"; do
    while IFS= read -r line; do
        file="${line%%:*}"
        target="$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"${line#*:}")"
        if ! [[ " ${allowed[$folder]} " == *" $target "* ]]; then
            echo "$file: $folder/ must not include $target/ (${line#*:})"
            status=1
        fi
    done < <(git grep --untracked -n -E '^#include "[^/"]+/' -- "$folder/*.h" "$folder/*.cpp" | sed -E 's/^([^:]*):[0-9]+:/\1:/')
done
for folder in $portable; do
    if git grep --untracked -n -E '^#include <(windows|winuser|wingdi|shellapi)\.h>' -- "$folder/*.h" "$folder/*.cpp"; then
        echo "$folder/ is portable and must not include Windows headers"
        status=1
    fi
done
if git grep --untracked -n -E '^#include <windows\.h>' -- 'shaping/RunScan.*'; then
    echo "the run scanner is portable and must not include Windows headers"
    status=1
fi
exit "$status"
