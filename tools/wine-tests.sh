#!/usr/bin/env bash
# The tests of one Windows build under Wine (tools/test.sh builds it first):
# its unit and GUI tests, the display-scale tests (x86_64), then the real
# Vorlane.exe with the demonstration service, in its window and with /save.
#
#   tools/wine-tests.sh i686|x86_64
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
arch=$1
use_wine_prefix "$arch"
# One test program at a time: first starts of Wine in a prefix race.
xvfb-run "${DISPLAYED[@]}" ctest --test-dir "$BUILD/$arch" -j1 --output-on-failure
wineserver -k || true
if [ "$arch" = x86_64 ]; then
    say "Display-scale tests ($arch)"
    "$ROOT/tools/check-dpi.sh" "$arch"
fi
say "Vorlane.exe with the demonstration service ($arch)"
use_demo_prefix "$arch" "$BUILD/$arch/demo/sfc.dll"
# demo_run.exe gives up on a list that stops filling; this bounds a Wine that hangs.
step 300 xvfb-run "${DISPLAYED[@]}" "$WINE" "$BUILD/$arch/demo/demo_run.exe"
"$ROOT/tools/check-save.sh" "$arch"
if [ "$arch" = x86_64 ]; then
    say "The fleet tools' integrations ($arch)"
    "$ROOT/tools/check-integrations.sh" "$arch"
fi
wineserver -k || true
