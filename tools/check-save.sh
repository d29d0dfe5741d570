#!/usr/bin/env bash
# Runs the built Vorlane.exe /save as a script would, in the demonstration
# service's Wine prefix, and compares the file it writes with what the dialog
# lists for the same service. The other exit codes and messages are tested by
# the GUI tests (ProgramRunTest) in the tests' own prefix.
#
#   tools/check-save.sh i686|x86_64
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
build=$BUILD/$1
use_demo_prefix "$1" "$build/demo/sfc.dll"
exe=$build/Vorlane.exe
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT

# expect CODE ARGUMENTS...: runs the exe and checks its exit code.
expect() {
    local want=$1 got=0
    shift
    timeout 300 "$WINE" "$exe" "$@" >"$out" 2>"$err" || got=$?
    if [ "$got" != "$want" ]; then
        echo "Vorlane.exe $*: exit code $got, not $want"; cat "$out" "$err"; exit 1
    fi
}
# says WHERE TEXT: what the last run wrote to stdout or stderr holds TEXT.
says() {
    local file=$out
    [ "$1" = stderr ] && file=$err
    grep -qF "$2" "$file" || { echo "expected \"$2\" on $1, got:"; cat "$file"; exit 1; }
}

saved='C:\vorlane saved, list.csv'
unix_saved="$WINEPREFIX/drive_c/vorlane saved, list.csv"
rm -f "$unix_saved"
expect 0 /save "$saved"
[ -s "$unix_saved" ] || { echo "/save exited 0 but wrote nothing"; exit 1; }
# Standard error is a file here: no line of progress goes to it, only the
# message that says what /verify found.
verified="$WINEPREFIX/drive_c/vorlane-verified.csv"
expect 4 /verify 'C:\vorlane-verified.csv'
rm -f "$verified"
says stderr 'files are not signed by a trusted signer'
if grep -q 'Verifying\|Listing' "$err"; then echo "/verify wrote its progress to a file:"; cat "$err"; exit 1; fi
expect 2 /save
says stderr 'Usage: Vorlane.exe [FILE | /save FILE | /verify FILE | /compare BASELINE REPORT]'

# Wine keeps the desktop of the runs above, which had no display, for the
# next program of the same server: start the dialog with a server of its own.
wineserver -k 2>/dev/null || true
VORLANE_SAVED_LIST=$saved step 300 xvfb-run "${DISPLAYED[@]}" \
    "$WINE" "$build/tests/vorlane_gui_tests.exe" --gtest_filter='SaveCommand.*'
rm -f "$unix_saved"
echo "Vorlane.exe /save in the demonstration prefix: the file as the dialog lists it"
