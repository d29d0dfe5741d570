#!/usr/bin/env bash
# Builds the download twice, with tools/release.sh in two clones of the
# committed HEAD whose folders differ in length, and checks that the two zips
# are the same bytes; then what the zip holds, and that its programs save the
# same list as the test builds' with the demonstration service (tools/test.sh
# builds those first). The clones stay in build/release-check, each made
# clean for every check; each reuses only its own earlier compiles (ccache,
# which tells them apart by their folders' paths), so a path that leaked
# into the programs would still make the two differ.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing unzip
for arch in x86_64 i686; do
    [ -e "$BUILD/$arch/demo/sfc.dll" ] || { echo "No test build in $BUILD/$arch: run tools/test.sh"; exit 1; }
done
commit=$(git -C "$ROOT" rev-parse HEAD)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
clones=$BUILD/release-check
zips=()
for clone in "$clones/a" "$clones/another-and-longer-folder/b"; do
    if [ ! -d "$clone/.git" ]; then
        rm -rf "$clone"
        git clone -q --no-checkout "$ROOT" "$clone"
    fi
    git -C "$clone" fetch -q "$ROOT" HEAD
    git -C "$clone" checkout -q --force --detach "$commit"
    git -C "$clone" clean -q -f -d -x
    say "tools/release.sh in $clone"
    env -u VORLANE_BUILD_DIR "$clone/tools/release.sh" >"$work/release.log" 2>&1 ||
        { cat "$work/release.log"; exit 1; }
    zips+=("$(echo "$clone"/dist/Vorlane-*.zip)")
done
tail -n 1 "$work/release.log"

members=(x86_64/Vorlane.exe i686/Vorlane.exe README.txt SHA256SUMS)
for i in 0 1; do unzip -q "${zips[$i]}" -d "$work/unpacked$i"; done
if ! cmp -s "${zips[0]}" "${zips[1]}"; then
    echo "Two release builds of $commit differ:"
    for member in "${members[@]}"; do
        cmp "$work/unpacked0/$member" "$work/unpacked1/$member" || true
    done
    exit 1
fi
unpacked=$work/unpacked0
[ "$(unzip -Z1 "${zips[0]}")" = "$(printf '%s\n' "${members[@]}")" ] ||
    { echo "The zip holds, in this order:"; unzip -Z1 "${zips[0]}"; exit 1; }
(cd "$unpacked" && sha256sum --quiet -c SHA256SUMS)
if grep -qv $'\r$' "$unpacked/README.txt"; then
    echo "README.txt has lines without a Windows line end"
    exit 1
fi
"$ROOT/tools/check-exe.sh" "$unpacked/x86_64/Vorlane.exe" "$unpacked/i686/Vorlane.exe"

arches=(x86_64)
can_run_32bit && arches+=(i686)
for arch in "${arches[@]}"; do
    use_demo_prefix "$arch" "$BUILD/$arch/demo/sfc.dll"
    for build in test release; do
        exe=$BUILD/$arch/Vorlane.exe
        [ $build = release ] && exe=$unpacked/$arch/Vorlane.exe
        timeout 300 "$WINE" "$exe" /save "C:\\vorlane-$build.csv"
    done
    cmp "$WINEPREFIX/drive_c/vorlane-test.csv" "$WINEPREFIX/drive_c/vorlane-release.csv"
    rm "$WINEPREFIX/drive_c/vorlane-test.csv" "$WINEPREFIX/drive_c/vorlane-release.csv"
    wineserver -k || true
done
echo "Two release builds of $commit are the same bytes: $(sha256sum "${zips[0]}" | cut -d' ' -f1)"
