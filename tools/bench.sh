#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on a virtual display.
# Arguments go to the fill benchmark: [rows] [rows of the naive fill].
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
build_windows "$arch" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$BUILD/$arch/bench/fill_bench.exe" "$@"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$BUILD/$arch/bench/paint_bench.exe"
