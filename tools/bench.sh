#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on a virtual display.
# Argument: [rows], 30001 unless given; the paint and compare benchmarks take
# none, and the scale benchmark runs on a tree of 200,000 files shaped like a
# current Windows folder (tools/make-windows-tree.py, made once in the prefix).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
# A build folder of its own: the test build keeps its tests.
out="$BUILD/bench-$arch"
configure_and_build "bench-$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
python3 "$ROOT/tools/make-windows-tree.py" "$WINEPREFIX/drive_c/vorlane-tree-200000" 200000
for bench in fill sort search export memory verify paint scale compare; do
    say "$bench"
    rows=${1:+"$1"}
    case $bench in
    paint | compare) rows= ;;
    scale) rows=200000 ;;
    esac
    xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/${bench}_bench.exe" $rows
done
