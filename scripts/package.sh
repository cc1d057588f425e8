#!/usr/bin/env bash
# Builds the release archive: both programs in Release, from a copy of the
# sources in a temporary folder of its own, into
# dist/twinpath-<version>-win-x64.zip with LICENSE, README.txt (the README's
# user part) and SHA256SUMS. Prints the archive's SHA-256 on standard output.
# The same sources give the same bytes wherever and whenever they are built.
#
#   scripts/package.sh            one build
#   scripts/package.sh --check    two builds, one after the other, from copies
#                                 of the sources in two different folders;
#                                 fails unless both archives are the same bytes
#   scripts/package.sh --from TREE OUT_DIR
#                                 no build: the archive of the programs an
#                                 existing MinGW Release tree holds, into
#                                 OUT_DIR (the tests' smoke check)
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"

# Only what the Release build and the archive need.
TWINPATH_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 python3)
TWINPATH_PACKAGES_LEAN=()
archive_tool="$TWINPATH_ROOT/scripts/lib/release_archive.py"
dist="$TWINPATH_ROOT/dist"

work=""
trap '[ -z "$work" ] || rm -rf "$work"' EXIT

# The files git tracks, as the working tree holds them, copied to $1; without
# git, every file but build trees and archives.
copy_sources() {
    mkdir -p "$1"
    if git -C "$TWINPATH_ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        [ -z "$(git -C "$TWINPATH_ROOT" status --porcelain --untracked-files=no)" ] ||
            log "warning: the archive holds changes that are not committed"
        git -C "$TWINPATH_ROOT" ls-files -z | tar -C "$TWINPATH_ROOT" --null -T - -cf - | tar -C "$1" -xf -
    else
        tar -C "$TWINPATH_ROOT" --exclude='./build*' --exclude=./dist -cf - . | tar -C "$1" -xf -
    fi
}

# Builds both programs of the sources in $1/$2 in Release and writes the
# archive into $1.
build_archive() {
    local sources="$1/$2" tree="$1/build"
    log "Release build in $sources"
    cmake -S "$sources" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$sources/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$tree" --target twinpath tpath >&2
    python3 "$archive_tool" "$tree" "$sources" "$1" >/dev/null
}

# Moves the archive made in $1 to dist/ and prints its SHA-256.
publish() {
    local archive
    archive="$(cd "$1" && ls twinpath-*-win-x64.zip)"
    mkdir -p "$dist"
    mv "$1/$archive" "$dist/"
    log "written: $dist/$archive"
    (cd "$dist" && sha256sum "$archive")
}

case "${1:-}" in
"")
    twinpath_install_packages
    work="$(mktemp -d)"
    copy_sources "$work/twinpath"
    build_archive "$work" twinpath
    publish "$work"
    ;;
--check)
    twinpath_install_packages
    work="$(mktemp -d)"
    # One copy of the sources, built in two folders of other names and
    # lengths, one with a blank: any path that reached the programs would
    # change their bytes, and so would the time of either build.
    copy_sources "$work/first/twinpath"
    mkdir -p "$work/second build"
    cp -a "$work/first/twinpath" "$work/second build/sources of twinpath"
    build_archive "$work/first" twinpath
    build_archive "$work/second build" "sources of twinpath"
    python3 "$archive_tool" --compare "$work/first/"*.zip "$work/second build/"*.zip
    log "both builds made the same archive"
    publish "$work/first"
    ;;
--from)
    [ $# -eq 3 ] || { log "usage: $0 --from TREE OUT_DIR"; exit 2; }
    python3 "$archive_tool" "$2" "$TWINPATH_ROOT" "$3"
    ;;
*)
    log "usage: $0 [--check | --from TREE OUT_DIR]"
    exit 2
    ;;
esac
