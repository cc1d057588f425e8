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
#
# Two settings let the tests run it without a Release build: TWINPATH_DIST is
# where the archive goes instead of dist/, and TWINPATH_PACKAGE_BUILD a command
# that stands in for the build, called with the sources and the build folder
# and leaving both programs and the generated version header there.
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"

# Only what the Release build and the archive need.
TWINPATH_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 python3)
TWINPATH_PACKAGES_LEAN=()
archive_tool="$TWINPATH_ROOT/scripts/lib/release_archive.py"
dist="${TWINPATH_DIST:-$TWINPATH_ROOT/dist}"

work=""
trap '[ -z "$work" ] || rm -rf "$work"' EXIT

# The files git tracks, as the working tree holds them, copied to $1; in sources
# that are not a git work tree of their own (an unpacked copy, even one inside
# some other repository), every file but build trees and archives.
copy_sources() {
    mkdir -p "$1"
    if [ "$(git -C "$TWINPATH_ROOT" rev-parse --show-toplevel 2>/dev/null)" = "$(cd "$TWINPATH_ROOT" && pwd -P)" ]; then
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
    if [ -n "${TWINPATH_PACKAGE_BUILD:-}" ]; then
        $TWINPATH_PACKAGE_BUILD "$sources" "$tree" >&2
    else
        cmake -S "$sources" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$sources/cmake/mingw-w64-x86_64.cmake" >/dev/null
        cmake --build "$tree" --target twinpath tpath >&2
    fi
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
*)
    log "usage: $0 [--check]"
    exit 2
    ;;
esac
