#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests natively (with
# AddressSanitizer and UBSan), a short fuzzing run (tools/fuzz.sh), then the unit and GUI tests of the Windows
# builds under Wine on a virtual display (the i686 ones under qemu where the
# kernel runs no 32-bit programs), and the real Vorlane.exe with the
# demonstration protection service, in its window and with /save; and the
# download, which two clean clones must build to the same bytes. Each
# stage's time is printed at the end.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# What runs beside the rest ends with it.
trap 'print_stage_times; jobs -p | xargs -r kill 2>/dev/null' EXIT

stage "Installing what is missing"
install_missing

stage "Native build and unit tests"
configure_and_build native -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$BUILD/native" --output-on-failure

# The tests are asked for by name: run.sh turns them off in the same folders.
# The benchmarks are built for one of the two: enough to keep them building.
stage "Windows build (i686)"
build_windows i686 -DVORLANE_TESTS=ON -DVORLANE_BENCHES=OFF
stage "Windows build (x86_64)"
build_windows x86_64 -DVORLANE_TESTS=ON -DVORLANE_BENCHES=ON
"$ROOT/tools/check-exe.sh" "$BUILD/i686/Vorlane.exe" "$BUILD/x86_64/Vorlane.exe"

# beside NAME COMMAND...: runs COMMAND in the background, its output kept
# in a log that `joined` prints once it has ended.
BESIDE=()
beside() {
    local name=$1 log
    shift
    log=$(mktemp)
    ( local start=$SECONDS status=0
      "$@" || status=$?
      echo "$((SECONDS - start)) $status" >"$log.end"
      exit $status ) >"$log" 2>&1 &
    BESIDE+=("$!|$log|$name")
}
# joined: waits for every command `beside` started and prints its log; fails
# when one of them did.
joined() {
    local entry pid log name seconds status failed=0
    for entry in "${BESIDE[@]}"; do
        IFS='|' read -r pid log name <<<"$entry"
        wait "$pid" || true
        read -r seconds status <"$log.end" || { seconds=0 status=1; }
        say "$name (beside the other tests; exit status $status)"
        cat "$log"
        rm -f "$log" "$log.end"
        STAGE_TIMES+=("$(printf '%5d s  %s, beside' "$seconds" "$name")")
        [ "$status" = 0 ] || failed=1
    done
    BESIDE=()
    return $failed
}

# Wine's tests wait on windows much of the time: the fuzzing and the 32-bit
# build's tests (on displays of their own) run beside the 64-bit build's.
stage "Tests under Wine, the fuzzing beside them"
beside "Fuzzing (45 s)" nice -n 10 "$ROOT/tools/fuzz.sh" 45
native_i686=false
if can_run_32bit; then
    native_i686=true
    beside "Tests under Wine (i686)" env VORLANE_DISPLAY_BASE=200 "$ROOT/tools/wine-tests.sh" i686
else
    beside "The i686 tests, emulated: this kernel runs no 32-bit programs" "$ROOT/tools/test-i686.sh" wow64
fi
say "Tests under Wine (x86_64)"
status=0
"$ROOT/tools/wine-tests.sh" x86_64 || status=$?
joined || status=1
[ $status -eq 0 ] || exit $status

stage "The download, built twice from clean clones"
"$ROOT/tools/check-release.sh"
if $native_i686; then
    stage "The 32-bit Vorlane.exe on 64-bit Windows (WOW64)"
    "$ROOT/tools/check-wow64.sh"
    wineserver -k || true
fi
end_stage
say "All tests passed"
