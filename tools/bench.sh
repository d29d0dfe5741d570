#!/usr/bin/env bash
# Builds the benchmarks and runs them under Wine on a virtual display.
# Argument: [rows], 30001 unless given; the paint and compare benchmarks take
# none, and the scale benchmark runs on a tree of 200,000 paths laid out as a
# current Windows folder (tools/make-windows-tree.py, made once in the
# prefix). After the verification benchmark, the floor of a verification of
# that tree: each distinct file read and SHA-256-hashed once, with each of
# the platform's ways to hash under Wine and with sha256sum natively, cold
# (the system's caches dropped, where this machine lets a script) and warm;
# then the verifier on every path of a tree of a tenth of that size against
# its distinct files alone (Wine's verifier takes some 100 files a second
# here: the whole tree would take an hour), step by step.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing
arch=x86_64
can_run_32bit && arch=i686
# A build folder of its own: the test build keeps its tests.
out="$BUILD/bench-$arch"
configure_and_build "bench-$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DVORLANE_TESTS=OFF
use_wine_prefix "$arch"
tree=vorlane-tree-200000
python3 "$ROOT/tools/make-windows-tree.py" "$WINEPREFIX/drive_c/$tree" 200000
small_tree=vorlane-tree-20000
python3 "$ROOT/tools/make-windows-tree.py" "$WINEPREFIX/drive_c/$small_tree" 20000

# As many as the verification job has (VerificationJob::DefaultWorkerCount).
workers=$(nproc)
[ "$workers" -ge 2 ] || workers=2
[ "$workers" -le 4 ] || workers=4

# drop_caches: empties the system's page cache and its cached names and
# inodes; fails where this machine does not let a script do so.
drop_caches() {
    sync
    { echo 3 >/proc/sys/vm/drop_caches || sudo -n sh -c 'echo 3 >/proc/sys/vm/drop_caches'; } 2>/dev/null
}

# timed COMMAND...: runs COMMAND, its output dropped, and prints how many
# seconds it took.
timed() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    awk -v start="$start" -v end="$end" 'BEGIN { printf "%.3f\n", end - start }'
}

# rate WHAT FILES BYTES SECONDS...: one line of figures, on the median of
# the runs' seconds (files a second only for more than one file).
rate() {
    local what=$1 files=$2 bytes=$3
    shift 3
    printf '%s\n' "$@" | sort -n | awk -v what="$what" -v files="$files" -v bytes="$bytes" '
        { seconds[NR] = $1 }
        END {
            median = seconds[int((NR + 1) / 2)]
            range = NR > 1 ? sprintf(" (%.1f-%.1f)", seconds[1] * 1000, seconds[NR] * 1000) : ""
            per_file = files > 1 ? sprintf(", %.0f files/s", files / median) : ""
            printf "  %s: %.1f ms%s%s, %.1f MB/s\n", what, median * 1000, range, per_file, bytes / 1e6 / median
        }'
}

# The native floor of the same files in the same order, on as many
# processes as the job has threads.
native_floor() {
    local list=$1 files bytes first warm=() openssl=() round
    hash_with() { xargs -d '\n' -P "$workers" -n 500 "$@" <"$list"; }
    files=$(wc -l <"$list")
    drop_caches || true
    # Read as the walk under Wine reads them first: the names and sizes, not
    # the bytes.
    bytes=$(xargs -d '\n' stat -c %s <"$list" | awk '{ bytes += $1 } END { print bytes }')
    first=$(timed hash_with sha256sum)
    # In turn, so that the cache and the other programs treat both alike.
    for round in 1 2 3; do
        warm+=("$(timed hash_with sha256sum)")
        openssl+=("$(timed hash_with openssl dgst -sha256)")
    done
    echo "natively, $files distinct files ($(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1e6 }') MB), on $workers processes:"
    rate "sha256sum, first run" "$files" "$bytes" "$first"
    rate "sha256sum, warm, median of 3, in turn with openssl" "$files" "$bytes" "${warm[@]}"
    rate "openssl dgst -sha256, warm, median of 3" "$files" "$bytes" "${openssl[@]}"
    # The hashing alone, of a file in memory, as verify_bench takes it.
    local memory=/dev/shm
    [ -d "$memory" ] || memory=${TMPDIR:-/tmp}
    memory=$(mktemp "$memory/vorlane-bench.XXXXXX")
    head -c $((128 << 20)) /dev/zero | tr '\0' Z >"$memory"
    warm=() openssl=()
    for round in 1 2 3; do
        warm+=("$(timed sha256sum "$memory")")
        openssl+=("$(timed openssl dgst -sha256 "$memory")")
    done
    rm -f "$memory"
    rate "sha256sum, 128 MB in memory in one process, median of 3" 1 $((128 << 20)) "${warm[@]}"
    rate "openssl dgst -sha256, the same" 1 $((128 << 20)) "${openssl[@]}"
}

tree_floor() {
    local list="$WINEPREFIX/drive_c/vorlane-floor-files.txt" runs
    say "the floor of a verification of the bench tree"
    if drop_caches; then
        echo "the system's caches are dropped before each first run: it reads the files' bytes cold"
    else
        echo "the system's caches cannot be dropped here: each first run reads what they hold"
    fi
    for runs in first-cng first-cryptoapi warm; do
        [ "$runs" = warm ] || drop_caches || true
        xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/verify_bench.exe" /floor "C:\\$tree\\windows" \
            "$runs" 'C:\vorlane-floor-files.txt'
    done
    # The paths as drive C has them, in the prefix.
    sed -i -e 's#^[Cc]:\\#'"$WINEPREFIX"'/drive_c/#' -e 's#\\#/#g' "$list"
    native_floor "$list"
    rm -f "$list"
}

for bench in fill sort search export memory verify paint scale compare; do
    say "$bench"
    rows=${1:+"$1"}
    case $bench in
    paint | compare) rows= ;;
    scale) rows=200000 ;;
    esac
    xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/${bench}_bench.exe" $rows
    if [ "$bench" = verify ]; then
        tree_floor
        xvfb-run -a -s '-screen 0 1024x768x24' "$WINE" "$out/bench/verify_bench.exe" /tree "C:\\$small_tree\\windows"
    fi
done
