#!/usr/bin/env bash
# Runs the i686 build's unit and GUI tests on a kernel that runs no 32-bit
# programs: qemu user-mode emulation runs Wine's 32-bit loader, in a win32
# prefix, in a 64-bit prefix (WOW64: the 64-bit Wine serves the 32-bit
# tests), or both (the default). Where the kernel does run 32-bit programs,
# they are emulated all the same. tools/test.sh runs the wow64 one where the
# kernel runs no 32-bit programs: in a win32 prefix every Wine helper is
# emulated, and some (winedevice.exe, explorer.exe) crash now and then, which
# can hang Wine's start or fail a GUI test.
#
#     tools/test-i686.sh [win32] [wow64]
#
# The binfmt_misc entry that hands i386 programs to qemu lives in a
# binfmt_misc of the stage's own (Linux 6.7 and later give one to a user
# namespace that mounts it), in namespaces of the stage's own: no program
# outside the stage sees the entry, and every process the stage starts ends
# with it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

QEMU=/usr/bin/qemu-i386-static
ENTRY=/proc/sys/fs/binfmt_misc/vorlane-i386
# Bounds against hangs, not speed checks: here opening a new win32 prefix
# took 1.5 to 4 minutes, a new 64-bit one under a minute, each test run under
# a minute. Each test has a bound of its own (its TIMEOUT in
# tests/CMakeLists.txt), all of them together TESTS_LIMIT. The whole stage,
# retries included, ends within STAGE_LIMIT seconds.
STAGE_LIMIT=840 BOOT_LIMIT=300 STEP_LIMIT=120 TESTS_LIMIT=600 ATTEMPTS=3

# Ends the Wine processes of $WINEPREFIX, those its wineserver could not.
stop_wine() {
    step 60 wineserver -k 2>/dev/null || true
    local pid
    for pid in $(grep -lzxF "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
        kill -KILL "$pid" 2>/dev/null || true
    done
}

# open_prefix LOADER: starts a Wine session in $WINEPREFIX, which then
# serves every step and the tests: each new session starts Wine's services
# again, close to a minute under emulation, and services started by a test
# would hold ctest's output open. A prefix not made yet is made first, with
# the settings of every prefix.
open_prefix() {
    if [ ! -f "$WINEPREFIX/.vorlane-ready" ]; then
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
    fi
    step 30 wineserver -p && step "$BOOT_LIMIT" "$1" wineboot || return 1
    if [ ! -f "$WINEPREFIX/.vorlane-ready" ]; then
        import_prefix_settings step "$STEP_LIMIT" "$1" && touch "$WINEPREFIX/.vorlane-ready"
    fi
}

# run_tests win32|wow64
run_tests() {
    local boot=$WINE32 start=$SECONDS attempt=1
    export WINEARCH=$1 WINEPREFIX="$BUILD/wine-$1-emulated" WINEDEBUG=-all
    if [ "$1" = wow64 ]; then
        export WINEARCH=win64
        boot=$WINE64
    fi
    # Wine's menu builder has nothing to do here, and takes long emulated.
    export WINELOADER=$boot WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # Called as a condition, where set -e is off: every failure returns.
    until open_prefix "$boot"; do
        echo "Opening the prefix $WINEPREFIX failed (attempt $attempt of $ATTEMPTS)"
        stop_wine
        rm -f "$WINEPREFIX/.vorlane-ready"
        [ $((attempt += 1)) -le $ATTEMPTS ] || return 1
    done
    echo "Opened the prefix $WINEPREFIX in $((SECONDS - start)) s (attempt $attempt)"
    start=$SECONDS
    local status=0
    # The tests take Wine's 32-bit loader from the toolchain file. A test
    # that fails runs once more: emulated Wine crashes now and then where
    # the same tests pass when run again (seen in the GUI tests' HyperLink
    # and WriteToUser tests, each passing alone).
    step "$TESTS_LIMIT" ctest --test-dir "$BUILD/i686" -j1 --output-on-failure --repeat until-pass:2 || status=$?
    echo "Tests in the $1 prefix: $((SECONDS - start)) s, status $status"
    stop_wine
    return $status
}

# A virtual display of the stage's own, on the first free display number.
start_display() {
    local file
    file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$file" 2>/dev/null &
    for _ in $(seq 30); do
        [ -s "$file" ] && break
        sleep 1
    done
    export DISPLAY=:$(cat "$file")
    rm -f "$file"
    [ "$DISPLAY" != : ] || { echo "Xvfb did not start"; return 1; }
}

if [ "${1:-}" != --inside ]; then
    kinds=("$@")
    [ $# -gt 0 ] || kinds=(win32 wow64)
    for kind in "${kinds[@]}"; do
        [[ $kind =~ ^(win32|wow64)$ ]] || { echo "usage: $0 [win32] [wow64]"; exit 2; }
    done
    install_missing qemu-user-static
    build_windows i686
    say "Tests under Wine (i686, emulated by qemu)"
    status=0
    timeout -k 10 "$STAGE_LIMIT" unshare --user --map-root-user --mount --pid --fork \
        --kill-child --mount-proc "${BASH_SOURCE[0]}" --inside "${kinds[@]}" || status=$?
    [ $status -ne 124 ] && [ $status -ne 137 ] || echo "The emulated stage ran out of its $STAGE_LIMIT s"
    exit $status
fi

# From here on in the stage's own namespaces, where this shell is process 1.
[ $$ -eq 1 ] || { echo "$0 --inside runs only in the namespaces the script makes"; exit 2; }
if ! mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc; then
    echo "This kernel gives no user namespace a binfmt_misc of its own (Linux 6.7 and later do)"
    exit 1
fi
# i386 ELF programs go to qemu; F opens qemu now, for every later exec.
echo ':vorlane-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$QEMU"':F' \
    >/proc/sys/fs/binfmt_misc/register
trap 'echo -1 >"$ENTRY"' EXIT
if can_run_32bit; then
    echo "can_run_32bit took qemu for the kernel"
    exit 1
fi
# Wine maps its shared user data high up, where qemu must leave room; Wine
# also expects 64 KiB allocation granularity.
export QEMU_RESERVED_VA=0xf0000000 QEMU_PAGESIZE=65536
# Tests that the emulation cannot run ask for it.
export VORLANE_EMULATED=1
# qemu would leave a core file in the current folder for each crash.
ulimit -c 0
step 60 "$WINE32" --version
start_display
status=0
for kind in "${@:2}"; do
    run_tests "$kind" || status=1
done
exit $status
