#!/usr/bin/env bash
# Checks that each given Vorlane.exe is a GUI program that Windows XP SP3 can
# load, that it imports only DLLs that Windows always loads from its system
# directory, and that it asks for the protections Windows offers.
set -euo pipefail

# COMCTL32 comes from the side-by-side store the manifest names.
system_dlls='^(ADVAPI32|COMCTL32|COMDLG32|GDI32|KERNEL32|MSVCRT|OLE32|SHELL32|USER32)\.DLL$'
# Looked up at run time: Windows XP SP3 lacks them, and an exe that imports
# one does not start there.
newer_functions='^(AddDllDirectory|SetDefaultDllDirectories|Wow64DisableWow64FsRedirection|Wow64RevertWow64FsRedirection)$'
status=0
fail() {
    echo "$exe: $*"
    status=1
}
for exe in "$@"; do
    headers=$(x86_64-w64-mingw32-objdump -p "$exe")
    subsystem=$(awk '/^MajorSubsystemVersion/ {major=$2} /^MinorSubsystemVersion/ {minor=$2} END {print major "." minor}' <<<"$headers")
    while read -r dll; do
        [[ ${dll^^} =~ $system_dlls ]] || fail "imports $dll, which Windows may load from beside the program"
    done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")
    # Under each "DLL Name:", one "<address> <hint> <name>" line per import.
    while read -r function; do
        if [[ $function =~ $newer_functions ]]; then fail "imports $function, which Windows XP lacks"; fi
    done < <(awk '/DLL Name:/ {in_dll=1; next} /^$/ {in_dll=0} in_dll && NF == 3 && $2 ~ /^[0-9]+$/ {print $3}' <<<"$headers")
    grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "is not a GUI program"
    case "$subsystem" in
        5.1|5.2) ;;
        *) fail "needs subsystem version $subsystem; Windows XP SP3 loads 5.1" ;;
    esac
    wanted=(DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE)
    grep -q 'Magic.*PE32+' <<<"$headers" && wanted+=(HIGH_ENTROPY_VA)
    for bit in "${wanted[@]}"; do
        grep -qw "$bit" <<<"$headers" || fail "lacks $bit"
    done
    # Without relocations the loader cannot move the image: no randomised base.
    awk '/Base Relocation Directory/ {exit ($3 ~ /^0+$/ || $4 ~ /^0+$/)}' <<<"$headers" || fail "has no relocations"
    echo "$exe: subsystem $subsystem, imports $(awk '/DLL Name:/ {printf "%s ", $3}' <<<"$headers")"
done
exit $status
