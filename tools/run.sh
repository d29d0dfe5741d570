#!/usr/bin/env bash
# Builds Vorlane.exe and runs it under Wine. Uses the display in $DISPLAY, or
# a virtual one (Xvfb) when there is none.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
say "Building Vorlane.exe ($arch)"
build_windows "$arch" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
say "Running $BUILD/$arch/Vorlane.exe"
if [ -n "${DISPLAY:-}" ]; then
    "$WINE" "$BUILD/$arch/Vorlane.exe"
else
    xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$BUILD/$arch/Vorlane.exe"
fi
