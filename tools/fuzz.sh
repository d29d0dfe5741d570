#!/usr/bin/env bash
# tools/fuzz.sh [SECONDS]: fuzzes with libFuzzer for SECONDS in all, 600
# unless given, shared between the targets:
#   version_summary_fuzz  the version summary: the check of a version block
#                         and the reading of a block it lets through;
#   baseline_reader_fuzz  the reading of a baseline, and the comparison of
#                         what it reads.
# Each starts from its seeds in tests/fuzz/corpus and keeps what it learns in
# build/fuzz/<target>; a finding is saved as build/fuzz/<target>-crash-...
# and makes the script fail, after every target has had its time.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

seconds=${1:-600}
targets=(version_summary_fuzz baseline_reader_fuzz)
declare -A seeds=([version_summary_fuzz]=version [baseline_reader_fuzz]=baseline)
declare -A max_len=([version_summary_fuzz]=4096 [baseline_reader_fuzz]=8192)
install_missing

# Debian's clang, whose libFuzzer comes with libclang-rt-14-dev.
cmake -S "$ROOT" -B "$BUILD/fuzz" -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLANE_FUZZ=ON -DVORLANE_WERROR="${VORLANE_WERROR:-OFF}" >/dev/null
cmake --build "$BUILD/fuzz" --target "${targets[@]}" -j "$JOBS"

status=0
for at in "${!targets[@]}"; do
    target=${targets[$at]}
    # The first target takes what the division leaves over.
    share=$((seconds / ${#targets[@]} + (at == 0 ? seconds % ${#targets[@]} : 0)))
    say "Fuzzing $target for $share s"
    mkdir -p "$BUILD/fuzz/$target"
    "$BUILD/fuzz/tests/fuzz/$target" -max_total_time="$share" -max_len="${max_len[$target]}" -print_final_stats=1 \
        -artifact_prefix="$BUILD/fuzz/$target-" "$BUILD/fuzz/$target" "$ROOT/tests/fuzz/corpus/${seeds[$target]}" ||
        status=1
done
exit $status
