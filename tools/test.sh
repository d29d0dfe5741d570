#!/usr/bin/env bash
# Builds everything and runs every test: the unit tests natively (with
# AddressSanitizer and UBSan), a short fuzzing run (tools/fuzz.sh), then the unit and GUI tests of the Windows
# builds under Wine on a virtual display (the i686 ones under qemu where the
# kernel runs no 32-bit programs), and the real Vorlane.exe with the
# demonstration protection service, in its window and with /save; and the
# download, which two clean clones must build to the same bytes.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
trap print_stage_times EXIT

stage "Installing what is missing"
install_missing

stage "Native build and unit tests"
configure_and_build native -DCMAKE_BUILD_TYPE=Debug
ctest --test-dir "$BUILD/native" --output-on-failure

stage "Fuzzing the version summary (45 s)"
"$ROOT/tools/fuzz.sh" 45

# The tests are asked for by name: run.sh turns them off in the same folders.
for arch in i686 x86_64; do
    stage "Windows build ($arch)"
    build_windows "$arch" -DVORLANE_TESTS=ON
done
"$ROOT/tools/check-exe.sh" "$BUILD/i686/Vorlane.exe" "$BUILD/x86_64/Vorlane.exe"

arches=(x86_64)
native_i686=false
if can_run_32bit; then
    arches=(i686 x86_64)
    native_i686=true
fi
for arch in "${arches[@]}"; do
    stage "Tests under Wine ($arch)"
    use_wine_prefix "$arch"
    # One test program at a time: first starts of Wine in a prefix race.
    xvfb-run -a -s '-screen 0 1280x1024x24' ctest --test-dir "$BUILD/$arch" -j1 --output-on-failure
    wineserver -k || true
    if [ "$arch" = x86_64 ]; then
        stage "Display-scale tests ($arch)"
        "$ROOT/tools/check-dpi.sh" "$arch"
    fi
    stage "Vorlane.exe with the demonstration service ($arch)"
    use_demo_prefix "$arch" "$BUILD/$arch/demo/sfc.dll"
    # demo_run.exe gives up on a list that stops filling; this bounds a Wine that hangs.
    step 300 xvfb-run -a -s '-screen 0 1280x1024x24' "$WINE" "$BUILD/$arch/demo/demo_run.exe"
    "$ROOT/tools/check-save.sh" "$arch"
    wineserver -k || true
done
stage "The download, built twice from clean clones"
"$ROOT/tools/check-release.sh"
if $native_i686; then
    stage "The 32-bit Vorlane.exe on 64-bit Windows (WOW64)"
    "$ROOT/tools/check-wow64.sh"
    wineserver -k || true
else
    stage "This kernel runs no 32-bit programs: the i686 tests run emulated"
    "$ROOT/tools/test-i686.sh" wow64
fi
end_stage
say "All tests passed"
