#!/usr/bin/env bash
# Builds the download, dist/Vorlane-<version>.zip: both programs as release
# builds (small, stripped, no tests), tools/release/README.txt and SHA256SUMS.
# Run in a clean clone of the commit to release: every run on the same commit,
# in any folder, gives the same bytes (tools/check-release.sh checks it).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing zip
version=$(sed -n 's/^project(Vorlane VERSION \([0-9.]*\) .*/\1/p' "$ROOT/CMakeLists.txt")
if [ -z "$version" ]; then
    echo "CMakeLists.txt has no project(Vorlane VERSION ...)" >&2
    exit 1
fi
if [ -n "$(git -C "$ROOT" status --porcelain)" ]; then
    echo "Warning: the checkout has changes; this zip is not the commit's." >&2
fi
# The members' times: the commit's, the same in every build of it.
commit_time=$(git -C "$ROOT" log -1 --format=%ct)

stage=$BUILD/release-zip
rm -rf "$stage"
for arch in x86_64 i686; do
    say "Release build ($arch)"
    # From scratch, so that nothing of an earlier configuration stays.
    rm -rf "$BUILD/release-$arch"
    configure_and_build "release-$arch" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" -DVORLANE_RELEASE=ON
    mkdir -p "$stage/$arch"
    cp "$BUILD/release-$arch/Vorlane.exe" "$stage/$arch/"
done
# Windows line ends, whatever the checkout's.
sed -e 's/\r$//' -e 's/$/\r/' -e "s/@PROJECT_VERSION@/$version/g" \
    "$ROOT/tools/release/README.txt" >"$stage/README.txt"

members=(x86_64/Vorlane.exe i686/Vorlane.exe README.txt SHA256SUMS)
zip_file=$ROOT/dist/Vorlane-$version.zip
mkdir -p "$ROOT/dist"
rm -f "$zip_file"
(
    cd "$stage"
    sha256sum x86_64/Vorlane.exe i686/Vorlane.exe README.txt >SHA256SUMS
    # zip keeps each file's mode and its local modification time: both are
    # set here. -X leaves out the owner and the exact times, -D the folder
    # entries; the members go in the order named.
    chmod 644 "${members[@]}"
    TZ=UTC touch -d "@$commit_time" "${members[@]}"
    TZ=UTC zip -q -X -D -9 "$zip_file" "${members[@]}"
)

say "$zip_file"
sha256sum "$zip_file"
sed 's/^/  /' "$stage/SHA256SUMS"
size() {
    local bytes
    bytes=$(stat -c %s "$stage/$1/Vorlane.exe")
    echo "$1 $bytes bytes ($(((bytes + 512) / 1024)) KB)"
}
echo "Vorlane.exe sizes: $(size x86_64), $(size i686)"
