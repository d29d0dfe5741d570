#!/usr/bin/env bash
# Runs the display-scale GUI tests (DpiTest) and the dialogs' layout tests
# (DialogLookTest) at 96, 120, 144 and 192 DPI, each with the dialogs' font,
# MS Sans Serif, in the Wine prefix and without it, in a prefix of their own.
#
#   tools/check-dpi.sh i686|x86_64
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
arch=$1
tests=$BUILD/$arch/tests/vorlane_gui_tests.exe
enter_wine_prefix "$arch" wine-dpi
fonts=$WINEPREFIX/drive_c/windows/Fonts
aside=$WINEPREFIX/ms-sans-serif-aside
trap 'set_wine_dpi 96; mv "$aside"/* "$fonts"/ 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT

failed=()
mkdir -p "$aside"
for font in with without; do
    if [ $font = without ]; then
        mv "$fonts"/ms_sans_serif.ttf "$fonts"/sserif*.fon "$aside"/
    fi
    for dpi in 96 120 144 192; do
        say "Display-scale tests at $dpi DPI, $font MS Sans Serif ($arch)"
        set_wine_dpi "$dpi"
        timeout 600 xvfb-run "${DISPLAYED[@]}" "$WINE" "$tests" --gtest_filter='Dpi.*:DialogLook.*' ||
            failed+=("$dpi DPI $font MS Sans Serif")
    done
done
if [ ${#failed[@]} -gt 0 ]; then
    printf 'Display-scale tests failed at: %s\n' "${failed[@]}"
    exit 1
fi
