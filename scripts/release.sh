#!/usr/bin/env bash
# Makes the release archive from the last commit: builds it twice, from two fresh clones in two
# differently named folders, one after the other, and fails unless both give the same executable
# and the same archive, byte for byte. Prints the archive's path and SHA-256 and the executable's
# size; the archive lands in dist/. Uncommitted changes are not in it.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
started=$(date +%s)
scripts/setup.sh --packages

commit=$(git rev-parse HEAD)
# Every date in the archive is the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct "$commit")
export SOURCE_DATE_EPOCH
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
    echo "release: uncommitted changes are left out; building commit $commit"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Builds the archive in a fresh clone under FOLDER; prints the archive's path.
build_in() {
    local source=$work/$1
    git clone --quiet --no-checkout "$PWD" "$source"
    git -C "$source" checkout --quiet "$commit"
    (cd "$source" && cmake --preset release >/dev/null && cmake --build --preset release -j "$(nproc)" >/dev/null)
    ls "$source"/build-release/release/personal-wifi-*-win32.zip
}

echo "release: first build of $commit"
first=$(build_in one/personal-wifi)
echo "release: second build, in another folder"
second=$(build_in second-build/src)

exe=personal-wifi.exe
status=0
cmp -s "$(dirname "$first")/../$exe" "$(dirname "$second")/../$exe" || status=1
cmp -s "$first" "$second" || status=1
if [ $status -ne 0 ]; then
    echo "release: NOT REPRODUCIBLE: the two builds differ" >&2
    sha256sum "$first" "$second" "$(dirname "$first")/../$exe" "$(dirname "$second")/../$exe" >&2
    exit 1
fi

mkdir -p dist
archive=dist/$(basename "$first")
cp "$first" "$archive"
echo "release: both builds are the same, byte for byte"
echo "archive:          $PWD/$archive"
echo "SHA-256:          $(sha256sum "$archive" | cut -d' ' -f1) (first build), $(sha256sum "$second" | cut -d' ' -f1) (second)"
echo "executable:       $(stat -c %s "$(dirname "$first")/../$exe") bytes"
echo "time:             $(($(date +%s) - started)) s"
