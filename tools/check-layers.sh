#!/usr/bin/env bash
# Checks that each source folder includes only itself and the folders below
# it: framework <- scan <- rows <- listview, inspect, controls, export,
# verify <- app. The resource identifiers in res/ serve every folder.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

declare -A level=([framework]=0 [scan]=1 [rows]=2 [listview]=3 [inspect]=3 [controls]=3 [export]=3 [verify]=3 [app]=4)
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
