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

say() { printf '\n== %s\n' "$*"; }

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# install_missing [more packages...]
install_missing() {
    local wanted=(cmake make g++ googletest
                  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686
                  binutils-mingw-w64-x86-64 wine wine64 wine32:i386 xvfb xauth
                  fonts-liberation "$@")
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    say "Installing ${missing[*]}"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
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

# configure_and_build NAME [cmake options...]
configure_and_build() {
    local name=$1
    shift
    cmake -S "$ROOT" -B "$BUILD/$name" "$@" >/dev/null
    cmake --build "$BUILD/$name" -j "$JOBS"
}

build_windows() {
    local arch=$1
    shift
    configure_and_build "$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" "$@"
}

# import_prefix_settings COMMAND...: imports tools/wine-prefix.reg, the
# settings of every prefix, with the Wine loader that COMMAND runs.
import_prefix_settings() {
    "$@" reg import "Z:$ROOT/tools/wine-prefix.reg" >/dev/null
}

# use_wine_prefix i686|x86_64: a prefix of the program's own under the build
# folder, made once, with settings that keep Wine fast and quiet on a bare
# X display.
use_wine_prefix() {
    local arch=$1 loader
    if [ "$arch" = i686 ]; then
        export WINEARCH=win32 WINEPREFIX="$BUILD/wine-win32"
        loader=$WINE32
    else
        export WINEARCH=win64 WINEPREFIX="$BUILD/wine-win64"
        loader=$WINE64
    fi
    export WINELOADER=$loader WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/.vorlane-ready" ]; then
        say "Creating the Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        "$loader" wineboot -i >/dev/null 2>&1 || true
        import_prefix_settings "$loader"
        wineserver -w || true
        touch "$WINEPREFIX/.vorlane-ready"
    fi
    WINE=$loader
}
