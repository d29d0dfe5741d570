#!/usr/bin/env bash
# tools/fuzz.sh [SECONDS]: fuzzes the version summary (the check of a version
# block and the reading of a block it lets through) with libFuzzer for
# SECONDS, 600 unless given. Starts from the seeds in tests/fuzz/corpus and
# keeps what it learns in build/fuzz/corpus; a finding is saved in build/fuzz
# and makes the script fail.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-600}
install_missing

# Debian's clang, whose libFuzzer comes with libclang-rt-14-dev.
cmake -S "$ROOT" -B "$BUILD/fuzz" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANE_FUZZ=ON -DVORLANE_WERROR="${VORLANE_WERROR:-OFF}" >/dev/null
cmake --build "$BUILD/fuzz" --target version_summary_fuzz -j "$JOBS"

mkdir -p "$BUILD/fuzz/corpus"
"$BUILD/fuzz/tests/fuzz/version_summary_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz/" "$BUILD/fuzz/corpus" "$ROOT/tests/fuzz/corpus/version"
