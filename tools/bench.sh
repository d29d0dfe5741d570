#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine on a virtual display. Arguments
# go to the benchmark: [rows] [rows of the naive fill].
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
build_windows "$arch" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$BUILD/$arch/bench/fill_bench.exe" "$@"
