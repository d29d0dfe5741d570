# Shared by run.sh and test.sh: installs what is missing, builds, and sets up
# Wine. Sourced, not run.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${VORLANE_BUILD_DIR:-$ROOT/build}
JOBS=$(nproc 2>/dev/null || echo 2)

# Debian and Ubuntu ship the 32-bit and 64-bit Wine loaders side by side; the
# `wine` wrapper would always pick the 32-bit one.
WINE32=/usr/lib/wine/wine
WINE64=/usr/lib/wine/wine64
# Wine's own fonts (package fonts-wine).
WINE_FONTS=/usr/share/wine/fonts

say() { printf '\n== %s\n' "$*"; }

# stage NAME: says NAME and times it until the next stage; on exit, the
# stages' times are printed (also when one failed).
STAGE_TIMES=() STAGE_NAME='' STAGE_START=0
stage() {
    end_stage
    STAGE_NAME=$* STAGE_START=$SECONDS
    say "$*"
}
end_stage() {
    [ -n "$STAGE_NAME" ] && STAGE_TIMES+=("$(printf '%5d s  %s' $((SECONDS - STAGE_START)) "$STAGE_NAME")")
    STAGE_NAME=''
}
print_stage_times() {
    end_stage
    [ ${#STAGE_TIMES[@]} -gt 0 ] || return 0
    printf '\n== Stage times (%d s in all)\n' "$SECONDS"
    printf '%s\n' "${STAGE_TIMES[@]}"
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing [package...]: what every script needs, and the packages
# named.
install_missing() {
    local wanted=(cmake make g++ googletest libgtest-dev
                  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686
                  binutils-mingw-w64-x86-64 wine wine64 wine32:i386 fonts-wine xvfb xauth
                  fonts-liberation locales clang-14 libclang-rt-14-dev openssl
                  osslsigncode ccache python3 python3-yaml nlohmann-json3-dev "$@")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        say "Installing ${missing[*]}"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        # A mirror in the middle of a sync serves an index of the wrong size, and
        # apt goes on without that index; so may a mirror that keeps one stale.
        # Without the 32-bit security index, the 32-bit libraries Wine needs
        # cannot match the versions of the 64-bit ones: then take every package
        # from the release itself (on Debian its point releases carry the
        # security fixes too).
        as_root apt-get update -qq || say "Some package lists could not be read: going on with those there are"
        if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"; then
            local release
            release=$(. /etc/os-release && echo "$VERSION_CODENAME")
            say "Installing again, every package from $release itself"
            as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -t "$release" "${missing[@]}"
        fi
    fi
    # Tests of double-byte paths run in a Japanese locale, where Wine's ANSI
    # code page is 932.
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
        say "Generating the ja_JP.UTF-8 locale"
        as_root localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
    fi
}

# True when a binfmt_misc entry hands i386 programs to an emulator (such as
# the one tools/test-i686.sh registers for its own processes).
i386_emulated() {
    local entry
    for entry in /proc/sys/fs/binfmt_misc/*; do
        grep -qx enabled "$entry" 2>/dev/null &&
            grep -Eqx 'magic 7f454c4601[0-9a-f]{26}0300' "$entry" && return 0
    done
    return 1
}

# True when this kernel runs 32-bit programs itself; some kernels are built or
# booted without 32-bit support. binfmt_misc entries are consulted before the
# kernel's own loader, so while an emulator's entry is there the 32-bit loader
# runs whatever the kernel can do: that is not counted.
can_run_32bit() {
    ! i386_emulated && "$WINE32" --version >/dev/null 2>&1
}

# Compiles are cached (ccache, in its folder in the home directory), so a
# file compiled before, in the same folder with the same flags, is not
# compiled again: a build folder made afresh, or a release clone's, goes
# quickly the second time. Each folder's compiles are its own, as their
# paths are in their command lines. The precompiled headers of the test
# programs are cached too.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime

# configure_and_build NAME [cmake options...]
# VORLANE_WERROR=ON in the environment makes every warning an error.
configure_and_build() {
    local name=$1 launcher=()
    shift
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$ROOT" -B "$BUILD/$name" -DVORLANE_WERROR="${VORLANE_WERROR:-OFF}" "${launcher[@]}" "$@" >/dev/null
    cmake --build "$BUILD/$name" -j "$JOBS"
}

# The virtual display of a test: `xvfb-run "${DISPLAYED[@]}" COMMAND...`
# takes the first free display number from VORLANE_DISPLAY_BASE on (99
# unless set), so that stages that run side by side never take the same.
DISPLAYED=(-a -n "${VORLANE_DISPLAY_BASE:-99}" -s '-screen 0 1600x1200x24')

build_windows() {
    local arch=$1
    shift
    configure_and_build "$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" "$@"
}

# import_prefix_settings COMMAND...: gives the prefix in $WINEPREFIX, made
# just now, the fonts and settings of every prefix the scripts make, with the
# Wine loader that COMMAND runs.
import_prefix_settings() {
    # Debian's Wine looks for its own fonts in "Z:\usr\share\wine\../fonts",
    # a name it rejects, and only finds fonts in the prefix's Fonts folder
    # and fontconfig's. Without this copy a prefix has no Marlett (the
    # caption buttons' glyphs: the close button shows an "r"), no Tahoma
    # and no MS Sans Serif.
    cp "$WINE_FONTS"/* "$WINEPREFIX/drive_c/windows/Fonts/" &&
        "$@" reg import "Z:$ROOT/tools/wine-prefix.reg" >/dev/null
}

# Raised whenever the prefix set-up below changes: a prefix made by an older
# set-up is made again.
WINE_PREFIX_SETUP=2
# Bounds against hangs, not speed checks: here a new prefix took 10 to 30 s
# to make, and Wine's start has hung now and then.
PREFIX_BOOT_LIMIT=180 PREFIX_STEP_LIMIT=120 PREFIX_ATTEMPTS=3

# step SECONDS COMMAND...: runs COMMAND, ending it if it outlasts SECONDS.
step() {
    local limit=$1 status=0
    shift
    timeout -k 10 "$limit" "$@" || status=$?
    [ $status -ne 124 ] || echo "Ended after $limit s: $*" >&2
    return $status
}

# make_wine_prefix LOADER: makes $WINEPREFIX afresh with LOADER, trying again
# from scratch when a try fails or outlasts its bounds.
make_wine_prefix() {
    local loader=$1 attempt
    for attempt in $(seq "$PREFIX_ATTEMPTS"); do
        step 60 wineserver -k 2>/dev/null || true
        rm -rf "$WINEPREFIX"
        # wineboot's own messages are of no use here; a bound it outlasts is still said.
        if step "$PREFIX_BOOT_LIMIT" sh -c '"$@" >/dev/null 2>&1' sh "$loader" wineboot -i &&
            import_prefix_settings step "$PREFIX_STEP_LIMIT" "$loader" &&
            step 60 wineserver -w; then
            echo "$WINE_PREFIX_SETUP" >"$WINEPREFIX/.vorlane-ready"
            return 0
        fi
        echo "Making the Wine prefix $WINEPREFIX failed (attempt $attempt of $PREFIX_ATTEMPTS)" >&2
    done
    # Nothing half made is left for the next run to take for a prefix.
    step 60 wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    return 1
}

# enter_wine_prefix i686|x86_64 NAME: the Wine prefix $BUILD/NAME-win32 or
# $BUILD/NAME-win64, made once, with settings that keep Wine fast and quiet
# on a bare X display. Sets WINE to the loader that runs the arch's programs.
enter_wine_prefix() {
    local arch=$1 name=$2 loader
    if [ "$arch" = i686 ]; then
        export WINEARCH=win32 WINEPREFIX="$BUILD/$name-win32"
        loader=$WINE32
    else
        export WINEARCH=win64 WINEPREFIX="$BUILD/$name-win64"
        loader=$WINE64
    fi
    export WINELOADER=$loader WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ "$(cat "$WINEPREFIX/.vorlane-ready" 2>/dev/null)" != "$WINE_PREFIX_SETUP" ]; then
        say "Creating the Wine prefix $WINEPREFIX"
        make_wine_prefix "$loader" || return 1
    fi
    WINE=$loader
}

# use_wine_prefix i686|x86_64: the prefix of the tests and of plain runs, with
# Wine's own protection service, which protects no file.
use_wine_prefix() {
    enter_wine_prefix "$1" wine
}

# use_demo_prefix i686|x86_64 DLL: a prefix of its own whose system folder
# holds DLL, the demonstration protection service built in demo/, as sfc.dll,
# and the signature samples built beside it.
# Wine already prefers a native DLL that replaces its own in the system
# folder; "sfc=n" says so whatever the defaults ("sfc=b,n" would load Wine's
# service, which protects nothing). A prefix of its own keeps the tests' and
# plain runs' prefix on Wine's service.
use_demo_prefix() {
    local arch=$1 dll=$2
    enter_wine_prefix "$arch" wine-demo
    cp "$dll" "$WINEPREFIX/drive_c/windows/system32/sfc.dll"
    export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;sfc=n"
    add_trust_samples "$(dirname "$dll")"
}

# add_trust_samples DEMO_BUILD: puts the signature samples made in
# DEMO_BUILD/trust-samples (tools/make-trust-samples.sh) among the protected
# files of the prefix in $WINEPREFIX, as vorlane-<name>: one signed, one
# changed, one unsigned, one signed under a root nobody trusts, one listed in
# a catalog. DEMO_BUILD/trust_setup.exe makes the prefix trust their root and
# installs their catalog, again whenever the samples were made again.
add_trust_samples() {
    local samples=$1/trust-samples file
    for file in signed.exe changed.exe unsigned.exe untrusted.exe catalogued.inf; do
        cp "$samples/$file" "$WINEPREFIX/drive_c/windows/system32/vorlane-$file"
    done
    if ! cmp -s "$samples/test-root.cer" "$WINEPREFIX/.vorlane-trusted-root.cer"; then
        step "$PREFIX_STEP_LIMIT" "$WINE" "$1/trust_setup.exe" >/dev/null
        cp "$samples/test-root.cer" "$WINEPREFIX/.vorlane-trusted-root.cer"
        # Its server keeps the desktop of a program without a display for
        # the next one: a dialog started now would get none.
        step 60 wineserver -w
    fi
}

# set_wine_dpi N: the display's scale in the prefix in $WINEPREFIX, as
# Windows keeps it, for the programs started after it: both values in one
# import, one start of Wine.
set_wine_dpi() {
    local file
    file=$(mktemp --suffix=.reg)
    printf 'REGEDIT4\r\n\r\n[%s]\r\n"LogPixels"=dword:%08x\r\n\r\n[%s]\r\n"LogPixels"=dword:%08x\r\n' \
        'HKEY_CURRENT_USER\Control Panel\Desktop' "$1" \
        'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' "$1" >"$file"
    wineserver -k 2>/dev/null || true
    "$WINE" reg import "Z:${file//\//\\}" >/dev/null 2>&1
    rm -f "$file"
    wineserver -k 2>/dev/null || true
    wineserver -w
}
