#!/usr/bin/env bash
# Checks that each given Vorlane.exe is a GUI program that Windows XP SP3 can
# load and that it needs no DLL beyond the system's.
set -euo pipefail

system_dlls='^(ADVAPI32|COMCTL32|COMDLG32|GDI32|KERNEL32|MSVCRT|SHELL32|USER32|VERSION)\.DLL$'
status=0
for exe in "$@"; do
    headers=$(x86_64-w64-mingw32-objdump -p "$exe")
    subsystem=$(awk '/^MajorSubsystemVersion/ {major=$2} /^MinorSubsystemVersion/ {minor=$2} END {print major "." minor}' <<<"$headers")
    while read -r dll; do
        if ! [[ ${dll^^} =~ $system_dlls ]]; then
            echo "$exe imports $dll, which is not a system DLL"
            status=1
        fi
    done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
    if ! grep -q 'Subsystem.*(Windows GUI)' <<<"$headers"; then
        echo "$exe is not a GUI program"
        status=1
    fi
    case "$subsystem" in
        5.1|5.2) ;;
        *) echo "$exe needs subsystem version $subsystem; Windows XP SP3 loads 5.1"; status=1 ;;
    esac
    echo "$exe: subsystem $subsystem, imports $(awk '/DLL Name:/ {printf "%s ", $3}' <<<"$headers")"
done
exit $status
