#!/usr/bin/env bash
# Retakes the README's screenshots on a virtual display (Xvfb), with the
# demonstration protection service, so that they come out the same each time:
#
#   vorlane.png         the main dialog, its list filled
#   vorlane-filled.png  the same after a click on a row: the file's details
#   vorlane-menu.png    that row's shortcut menu
#   vorlane-logo.png    the embossed logo, enlarged four times
#   vorlane-about.png   the About box, the mouse resting on its link
#   vorlane-check.png   a file checked by its path
#   vorlane-verify.png  the Verify Signatures dialog, its results sorted by
#                       signature
#   vorlane-compare.png the Compare with Baseline dialog, on a baseline
#                       edited to hold one difference of each kind
#   vorlane-contrast.png the main dialog in High Contrast Black's colours,
#                       a row selected
#   vorlane-150.png     the main dialog at 150 % (144 DPI)
#
# Usage: tools/screenshots.sh [folder]      (docs/ by default)
#
# demo_run waits until the list holds every protected file and the fill has
# ended; the clicks then go to fixed points of the dialogs as Wine lays them
# out in its own MS Sans Serif. The script stops when a dialog's size is not
# the one those points were taken from.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

if [ "${1:-}" != --on-display ]; then
    out=${1:-$ROOT/docs}
    mkdir -p "$out"
    out=$(cd "$out" && pwd)
    install_missing imagemagick xdotool
    # The 64-bit build on every machine: the 32-bit prefix's system folder
    # holds other files, and the list's scroll bar would differ.
    arch=x86_64
    say "Building Vorlane.exe ($arch)"
    build_windows "$arch" -DVORLANE_TESTS=OFF
    use_demo_prefix "$arch" "$BUILD/$arch/demo/sfc.dll"
    say "Taking the screenshots into $out"
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" --on-display "$out" "$arch" "$WINE"
fi

out=$2 arch=$3 WINE=$4

# set_wine_colours NAME=R G B...: the system's colours in the prefix in
# $WINEPREFIX, as Windows keeps them, for the programs started after it;
# put_back_wine_colours: the prefix's own again.
saved_colours=$(mktemp --suffix=.reg)
"$WINE" reg export 'HKEY_CURRENT_USER\Control Panel\Colors' "Z:${saved_colours//\//\\}" /y >/dev/null 2>&1
set_wine_colours() {
    local file colour
    file=$(mktemp --suffix=.reg)
    printf 'REGEDIT4\r\n\r\n[%s]\r\n' 'HKEY_CURRENT_USER\Control Panel\Colors' >"$file"
    for colour in "$@"; do
        printf '"%s"="%s"\r\n' "${colour%%=*}" "${colour#*=}" >>"$file"
    done
    wineserver -k 2>/dev/null || true
    "$WINE" reg import "Z:${file//\//\\}" >/dev/null 2>&1
    rm -f "$file"
    wineserver -k 2>/dev/null || true
}
put_back_wine_colours() {
    wineserver -k 2>/dev/null || true
    "$WINE" reg import "Z:${saved_colours//\//\\}" >/dev/null 2>&1
    wineserver -k 2>/dev/null || true
}

trap 'set_wine_dpi 96; put_back_wine_colours; rm -f "$saved_colours"' EXIT

# The dialogs' sizes the points below belong to.
main_size=593x545
about_size=330x171

# window TITLE: the X window of the top-level window TITLE, once it shows.
window() {
    local id
    id=$(timeout 60 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) || true
    if [ -z "$id" ]; then
        echo "No window \"$1\" showed" >&2
        return 1
    fi
    echo "$id"
}

# place WINDOW SIZE: sets X and Y to the window's corner; stops the script
# when the window is not SIZE.
place() {
    local WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    if [ "${WIDTH}x$HEIGHT" != "$2" ]; then
        echo "A dialog is ${WIDTH}x$HEIGHT, not $2: the points in $0 need taking again" >&2
        exit 1
    fi
}

click() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; }
# Moves the mouse off the dialogs and lets Wine finish painting.
settle() {
    xdotool mousemove 1275 1019
    sleep 1
}
# shoot NAME WIDTHxHEIGHT: the screen's rectangle of that size at X, Y.
shoot() { import -window root -crop "$2+$X+$Y" +repage -strip "$out/$1"; }

"$WINE" "$BUILD/$arch/demo/demo_run.exe" --leave-open
main=$(window Vorlane)
place "$main" "$main_size"
settle
shoot vorlane.png "$main_size"
convert "$out/vorlane.png" -crop 130x32+16+503 +repage -scale 400% -strip "$out/vorlane-logo.png"

# The eighth row: C:\windows\system32\advapi32.dll.
click 150 169
settle
shoot vorlane-filled.png "$main_size"

# The row's shortcut menu.
xdotool mousemove $((X + 150)) $((Y + 169)) click 3
sleep 1
shoot vorlane-menu.png "$main_size"
xdotool key Escape
settle

# The system menu from the caption's icon; "About Vorlane..." is its last
# entry.
click 12 12
sleep 1
xdotool key Up Return
about=$(window 'About Vorlane')
place "$about" "$about_size"
# On the link, until its tooltip shows.
xdotool mousemove $((X + 140)) $((Y + 96))
sleep 2
shoot vorlane-about.png "$about_size"
xdotool key Escape

place "$main" "$main_size"
click 210 478
xdotool type --delay 20 'C:\windows\system32\kernel32.dll'
click 534 478
settle
shoot vorlane-check.png "$main_size"

# Verify signatures... from a row's shortcut menu; the demonstration prefix
# holds signed, changed and unsigned samples among the protected files.
xdotool mousemove $((X + 150)) $((Y + 169)) click 3
sleep 1
xdotool key v
verify=$(window 'Verify Signatures')
eval "$(xdotool getwindowgeometry --shell "$verify")"
verify_size=${WIDTH}x$HEIGHT
# Until every file is verified (a few hundred a second), then by signature,
# descending: the samples that are not trusted come first.
sleep 10
click 320 118
# Apart by more than a double click's time.
sleep 1
click 320 118
settle
shoot vorlane-verify.png "$verify_size"
xdotool key Escape
settle

# A baseline of this prefix that differs from it once in each way: a signed
# sample with other bytes (an update), the unsigned one with other bytes, the
# catalogued one with another result, one sample missing and one file since
# removed.
baseline='C:\vorlane-baseline.csv'
"$WINE" "$BUILD/$arch/Vorlane.exe" /verify "$baseline" /all || true
python3 - "$WINEPREFIX/drive_c/vorlane-baseline.csv" <<'EDIT'
import csv, sys
path = sys.argv[1]
with open(path, newline='', encoding='utf-8-sig') as f:
    rows = list(csv.DictReader(f))
names = rows[0].keys()
def row(name):
    return next(r for r in rows if r['Path'].lower().endswith(name))
row('vorlane-signed.exe')['SHA256'] = '0' * 64
row('vorlane-unsigned.exe')['SHA256'] = 'F' * 64
row('vorlane-catalogued.inf')['Signature'] = 'Signer not trusted'
rows.remove(row('vorlane-untrusted.exe'))
rows.append(dict(row('vorlane-unsigned.exe'), Path='C:\\windows\\system32\\vorlane-retired.dll'))
with open(path, 'w', newline='', encoding='utf-8-sig') as f:
    out = csv.DictWriter(f, names, lineterminator='\r\n')
    out.writeheader()
    out.writerows(rows)
EDIT
place "$main" "$main_size"
xdotool mousemove $((X + 150)) $((Y + 169)) click 3
sleep 1
xdotool key m
window Open >/dev/null
sleep 1
xdotool type --delay 20 "$baseline"
xdotool key Return
compare=$(window 'Compare with Baseline')
eval "$(xdotool getwindowgeometry --shell "$compare")"
compare_size=${WIDTH}x$HEIGHT
sleep 10
settle
shoot vorlane-compare.png "$compare_size"
xdotool key Escape
settle

# In High Contrast Black's colours (as Windows 10 has them), the eighth row
# selected. Wine has no high-contrast setting to turn on: the link and the
# logo keep their usual shades of these colours.
set_wine_colours 'Background=0 0 0' 'Window=0 0 0' 'WindowText=255 255 255' 'Hilight=26 235 255' \
    'HilightText=0 0 0' 'ButtonFace=0 0 0' 'ButtonText=255 255 255' 'ButtonHilight=255 255 255' \
    'ButtonLight=255 255 255' 'ButtonShadow=255 255 255' 'ButtonDkShadow=255 255 255' 'GrayText=63 242 63' \
    'HotTrackingColor=255 255 0' 'InfoText=255 255 255' 'InfoWindow=0 0 0' 'Menu=0 0 0' 'MenuText=255 255 255' \
    'WindowFrame=255 255 255' 'ActiveTitle=0 0 0' 'TitleText=255 255 255' 'ActiveBorder=255 255 255' \
    'InactiveTitle=0 0 0' 'InactiveTitleText=63 242 63' 'InactiveBorder=255 255 255' 'Scrollbar=0 0 0' \
    'AppWorkSpace=0 0 0'
"$WINE" "$BUILD/$arch/demo/demo_run.exe" --leave-open
main=$(window Vorlane)
place "$main" "$main_size"
click 150 169
settle
shoot vorlane-contrast.png "$main_size"
put_back_wine_colours

# The same dialog at 150 %: its own size, no clicks.
wineserver -k 2>/dev/null || true
set_wine_dpi 144
"$WINE" "$BUILD/$arch/demo/demo_run.exe" --leave-open
main=$(window Vorlane)
eval "$(xdotool getwindowgeometry --shell "$main")"
settle
shoot vorlane-150.png "${WIDTH}x$HEIGHT"
