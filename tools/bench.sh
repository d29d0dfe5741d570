#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on a virtual display.
# Arguments: [rows] [rows of the naive fill]; the sort benchmark takes the
# rows only.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
# A build folder of its own: the test build keeps its tests.
out="$BUILD/bench-$arch"
configure_and_build "bench-$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/fill_bench.exe" "$@"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/search_bench.exe"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/sort_bench.exe" ${1:+"$1"}
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/paint_bench.exe"
xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/export_bench.exe" ${1:+"$1"}
"$WINE" "$out/bench/verify_bench.exe" ${1:+"$1"}
