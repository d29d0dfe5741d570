#!/usr/bin/env bash
# Builds Vorlane.exe and runs it under Wine. Uses the display in $DISPLAY, or
# a virtual one (Xvfb) when there is none.
#
#   tools/run.sh          with Wine's own protection service, which protects
#                         no file: the list stays empty
#   tools/run.sh --demo   with the demonstration service (demo/), which
#                         protects every file in the system folder, in a Wine
#                         prefix of its own
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

case "${1:-}" in
    '') demo=false ;;
    --demo) demo=true ;;
    *) echo "usage: $0 [--demo]" >&2; exit 2 ;;
esac

install_missing
arch=x86_64
can_run_32bit && arch=i686
say "Building Vorlane.exe ($arch)"
build_windows "$arch" -DVORLANE_TESTS=OFF
if $demo; then
    use_demo_prefix "$arch" "$BUILD/$arch/demo/sfc.dll"
else
    use_wine_prefix "$arch"
fi
say "Running $BUILD/$arch/Vorlane.exe in $WINEPREFIX"
if [ -n "${DISPLAY:-}" ]; then
    "$WINE" "$BUILD/$arch/Vorlane.exe"
else
    xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$BUILD/$arch/Vorlane.exe"
fi
