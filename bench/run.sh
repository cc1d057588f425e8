#!/usr/bin/env bash
# Builds the benchmarks (Release, in trees of their own) and runs them all: the
# sort natively; the listing, the converter, start-up and hand-off under Wine;
# then the footprint of twinpath.exe. Never part of scripts/test.sh.
# The whole output also goes to build/bench/results.txt.
#   bench/run.sh                      everything
#   bench/run.sh startup [PART...]    the start-up benchmark alone, or its
#                                     parts: start, steps, floor-steps,
#                                     floor-stages, hand-off
set -euo pipefail
startup_only=0
if [ "${1:-}" = startup ]; then
    startup_only=1
    shift
fi
source "$(dirname "$0")/../scripts/lib/setup.sh"
trap twinpath_stop_all EXIT

# Own trees and Wine prefix, so the test trees keep their settings.
TWINPATH_NATIVE="$TWINPATH_BUILD/bench/native"
TWINPATH_WIN="$TWINPATH_BUILD/bench/win"
mkdir -p "$TWINPATH_BUILD/bench"
exec > >(tee "$TWINPATH_BUILD/bench/results.txt") 2>&1

twinpath_install_packages
if [ "$startup_only" -eq 0 ]; then
    log "native build (Release)"
    cmake -S "$TWINPATH_ROOT" -B "$TWINPATH_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWINPATH_BENCH=ON >/dev/null
    cmake --build "$TWINPATH_NATIVE"
fi
twinpath_build_windows -DTWINPATH_TESTS=OFF -DTWINPATH_BENCH=ON

log "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')," \
    "load average $(cut -d' ' -f1-3 /proc/loadavg)"
[ "$startup_only" -eq 0 ] && { log "sort (native)"; "$TWINPATH_NATIVE/bench/sort_bench"; }

mkdir -p "$TWINPATH_WIN"
# A private display: the start-up figures must not depend on what else a
# shared desktop shows, and the listing puts its report on the clipboard.
unset DISPLAY
twinpath_start_display
twinpath_prepare_prefix
twinpath_wine_env
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1
wine() { /usr/lib/wine/wine64 "$@" </dev/null; }

if [ "$startup_only" -eq 1 ]; then
    log "start-up (Wine)"
    wine "$TWINPATH_WIN/bench/startup_bench.exe" "$@"
    printf 'twinpath.exe: %s bytes, tpath.exe: %s bytes\n' "$(stat -c %s "$TWINPATH_WIN/win32/twinpath.exe")" \
        "$(stat -c %s "$TWINPATH_WIN/cli/tpath.exe")"
    exit 0
fi

# Under Wine every new name in a folder is first looked up by reading the whole
# folder, so a Windows program's creation of 100,000 files is quadratic (over
# half an hour). Made from here it takes a second; the benchmark reuses them.
temp="$(winepath -u "$(wine cmd /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')")"
for count in 1000 10000 100000; do
    folder="$temp/twinpath-bench-$count"
    if [ "$(find "$folder" -maxdepth 1 -type f 2>/dev/null | wc -l)" -ne "$count" ]; then
        log "creating $count files in $folder"
        rm -rf "$folder"
        mkdir -p "$folder"
        (cd "$folder" && seq -f 'Document %06g.txt' 0 $((count - 1)) | xargs -d '\n' touch)
    fi
done

# The trees of the whole-tree benchmark: 100 empty files in each folder of the
# deepest level, 10 folders in every folder above it.
for depth in 2 3 4; do
    files=$((100 * 10 ** depth))
    tree="$temp/twinpath-tree-$files"
    if [ "$(find "$tree" -type f 2>/dev/null | wc -l)" -ne "$files" ]; then
        log "creating $files files in $tree"
        rm -rf "$tree"
        python3 - "$tree" "$depth" <<'EOF'
import itertools, os, sys
top, depth = sys.argv[1], int(sys.argv[2])
for digits in itertools.product(range(10), repeat=depth):
    leaf = os.path.join(top, *(f"Folder {d}" for d in digits))
    os.makedirs(leaf)
    for i in range(100):
        open(os.path.join(leaf, f"Document {i:03}.txt"), "w").close()
EOF
    fi
done

log "listing (Wine)"
wine "$TWINPATH_WIN/bench/listing_bench.exe"
log "conversion (Wine)"
wine "$TWINPATH_WIN/bench/conversion_bench.exe"
log "tpath.exe (Wine)"
wine "$TWINPATH_WIN/bench/tpath_bench.exe"
log "whole trees (Wine)"
wine "$TWINPATH_WIN/bench/tree_bench.exe"
log "start-up, hand-off and working set (Wine)"
wine "$TWINPATH_WIN/bench/startup_bench.exe"

log "footprint"
program="$TWINPATH_WIN/win32/twinpath.exe"
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\tDLL Name: //p' | sort -f; }
printf 'twinpath.exe: %s bytes (aim: under 1 MB, 1048576 bytes)\n' "$(stat -c %s "$program")"
printf 'tpath.exe: %s bytes\n' "$(stat -c %s "$TWINPATH_WIN/cli/tpath.exe")"
# A system DLL is one that Windows itself provides: Wine's prefix holds one
# file in its system folder for each DLL it provides.
system32="$WINEPREFIX/drive_c/windows/system32"
foreign=0
for dll in $(imports "$program"); do
    if [ -n "$(find "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
        printf '  imports %-14s system DLL\n' "$dll"
    else
        printf '  imports %-14s NOT A SYSTEM DLL\n' "$dll"
        foreign=1
    fi
done
[ "$foreign" -eq 0 ] && echo "  only system DLLs"
if [ "$(imports "$program")" = "$(imports "$TWINPATH_WIN/bench/same_imports.exe")" ]; then
    echo "  same_imports.exe imports the same DLLs"
else
    echo "  same_imports.exe imports OTHER DLLs: its start-up figure does not price the program's"
fi
