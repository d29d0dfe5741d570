#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on a virtual display.
# Argument: [rows], 30001 unless given; the paint and compare benchmarks take
# none.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
# A build folder of its own: the test build keeps its tests.
out="$BUILD/bench-$arch"
configure_and_build "bench-$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
for bench in fill sort search export memory verify paint compare; do
    say "$bench"
    rows=${1:+"$1"}
    case $bench in paint | compare) rows= ;; esac
    xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/${bench}_bench.exe" $rows
done
