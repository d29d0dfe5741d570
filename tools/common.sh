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

install_missing() {
    local wanted=(cmake make g++ googletest libgtest-dev
                  g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 binutils-mingw-w64-i686
                  binutils-mingw-w64-x86-64 wine wine64 wine32:i386 xvfb xauth
                  fonts-liberation locales)
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        say "Installing ${missing[*]}"
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            as_root dpkg --add-architecture i386
        fi
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
    # Tests of double-byte paths run in a Japanese locale, where Wine's ANSI
    # code page is 932.
    if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
        say "Generating the ja_JP.UTF-8 locale"
        as_root localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
    fi
}

# True when this kernel runs 32-bit programs; some kernels are built or
# booted without 32-bit support, and then only the 64-bit build can run.
can_run_32bit() {
    "$WINE32" --version >/dev/null 2>&1
}

# configure_and_build NAME [cmake options...]
# VORLANE_WERROR=ON in the environment makes every warning an error.
configure_and_build() {
    local name=$1
    shift
    cmake -S "$ROOT" -B "$BUILD/$name" -DVORLANE_WERROR="${VORLANE_WERROR:-OFF}" "$@" >/dev/null
    cmake --build "$BUILD/$name" -j "$JOBS"
}

build_windows() {
    local arch=$1
    shift
    configure_and_build "$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" "$@"
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
        # No window manager on Xvfb: unmanaged windows avoid a 2 s wait at
        # every hide and exit; a crash ends the program instead of waiting.
        "$loader" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$loader" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # The classic look: Wine's default theme draws its scroll bars slowly
        # enough to dominate any list that redraws as it grows.
        "$loader" reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d 0 /f >/dev/null 2>&1
        # Wine has no Times New Roman; the logo's serif face is drawn in the
        # metric-compatible Liberation Serif instead of a fixed-pitch font.
        "$loader" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1
        wineserver -w || true
        touch "$WINEPREFIX/.vorlane-ready"
    fi
    WINE=$loader
}
