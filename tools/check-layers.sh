#!/usr/bin/env bash
# Checks that each source folder includes only itself and the folders below
# it: framework <- platform <- scan <- rows <- listview, inspect, controls,
# export, verify <- compare <- app. The resource identifiers in res/ serve
# every folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A level=([framework]=0 [platform]=1 [scan]=2 [rows]=3 [listview]=4 [inspect]=4 [controls]=4 [export]=4
                  [verify]=4 [compare]=5 [app]=6)
status=0
for folder in "${!level[@]}"; do
    while IFS=: read -r file line included; do
        target=${included%%/*}
        [ "$target" = "$folder" ] || [ "$target" = res ] && continue
        if [ -z "${level[$target]+set}" ] || [ "${level[$target]}" -ge "${level[$folder]}" ]; then
            echo "$file:$line includes $included, which is not below $folder/"
            status=1
        fi
    done < <(grep -Hno '^#include "[^"]*"' "$folder"/*.h "$folder"/*.cpp | sed 's/#include "\(.*\)"/\1/')
done
exit $status
