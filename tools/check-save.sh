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
baseline=$(mktemp)
trap 'rm -f "$out" "$err" "$baseline"' EXIT

# expect CODE ARGUMENTS...: runs the exe, its standard input $INPUT
# (nothing unless set), and checks its exit code.
expect() {
    local want=$1 got=0
    shift
    timeout 300 "$WINE" "$exe" "$@" <"${INPUT:-/dev/null}" >"$out" 2>"$err" || got=$?
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

# JSON Lines on standard output, the summary last; the same list handed back
# on standard input as the baseline, which nothing differs from.
expect 4 /verify - /json
cp "$out" "$baseline"
python3 - "$baseline" 4 <<'PY'
import json, sys
lines = [json.loads(line) for line in open(sys.argv[1], encoding="utf-8")]
files, summary = lines[:-1], lines[-1]
assert files and all("summary" not in f and f["path"] for f in files), "a file's line"
assert summary["summary"] is True and summary["exit_code"] == int(sys.argv[2]), summary
assert summary["files"] == len(files) and summary["counts"]["not_signed"] >= 1, summary
PY
INPUT=$baseline expect 0 /compare - 'C:\vorlane-changes.jsonl' /json
changes="$WINEPREFIX/drive_c/vorlane-changes.jsonl"
python3 -c 'import json,sys; l=[json.loads(x) for x in open(sys.argv[1])]; assert len(l)==1 and l[0]["exit_code"]==0, l' "$changes"
rm -f "$changes"
# What cannot be: nothing on standard input, both streams at once, /json alone.
INPUT=/dev/null expect 1 /compare - 'C:\vorlane-changes.jsonl' /json
says stderr 'What it holds is no baseline: it is empty.'
[ ! -e "$changes" ] || { echo "/compare with an empty baseline wrote a report"; exit 1; }
INPUT=$baseline expect 2 /compare - - /json
says stderr 'not both'
expect 2 /json
says stderr '/json says how /save, /verify and /compare write'

expect 2 /save
says stderr 'Usage: Vorlane.exe [FILE | /save FILE | /verify FILE | /compare BASELINE REPORT]'

# Wine keeps the desktop of the runs above, which had no display, for the
# next program of the same server: start the dialog with a server of its own.
wineserver -k 2>/dev/null || true
VORLANE_SAVED_LIST=$saved step 300 xvfb-run "${DISPLAYED[@]}" \
    "$WINE" "$build/tests/vorlane_gui_tests.exe" --gtest_filter='SaveCommand.*'
rm -f "$unix_saved"
echo "Vorlane.exe /save in the demonstration prefix: the file as the dialog lists it"
