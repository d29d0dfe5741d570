#!/usr/bin/env bash
# The 32-bit Vorlane.exe on 64-bit Windows (WOW64: Wine's 32-bit loader in a
# 64-bit prefix) must list the real System32, not the 32-bit files that
# Windows shows a 32-bit program there: with the demonstration service, its
# /save file is the 64-bit program's to the byte. And it must verify, hash
# and summarise the files the 64-bit system names (the RealWow64 tests of
# the 32-bit test program).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

use_demo_prefix x86_64 "$BUILD/x86_64/demo/sfc.dll"
# A 32-bit program's system folder is SysWOW64: the service's 32-bit copy.
cp "$BUILD/i686/demo/sfc.dll" "$WINEPREFIX/drive_c/windows/syswow64/sfc.dll"
native="$WINEPREFIX/drive_c/vorlane-64.csv"
wow64="$WINEPREFIX/drive_c/vorlane-wow64.csv"
rm -f "$native" "$wow64"
timeout 300 "$WINE" "$BUILD/x86_64/Vorlane.exe" /save 'C:\vorlane-64.csv'
WINELOADER=$WINE32 timeout 300 "$WINE32" "$BUILD/i686/Vorlane.exe" /save 'C:\vorlane-wow64.csv'
if ! cmp -s "$native" "$wow64"; then
    echo "The 32-bit Vorlane.exe under WOW64 lists other files than the 64-bit one:"
    diff "$native" "$wow64" | head -20
    exit 1
fi
echo "The 32-bit Vorlane.exe under WOW64 lists the real System32: $(($(wc -l <"$native") - 1)) files, as the 64-bit one"
rm -f "$native" "$wow64"
wineserver -k 2>/dev/null || true
WINELOADER=$WINE32 step 300 xvfb-run "${DISPLAYED[@]}" \
    "$WINE32" "$BUILD/i686/tests/vorlane_gui_tests.exe" --gtest_filter='RealWow64.*'

