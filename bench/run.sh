#!/usr/bin/env bash
# Builds the benchmarks (Release, in trees of their own) and runs them: the sort
# natively, the whole listing under Wine. Never part of scripts/test.sh.
set -euo pipefail
source "$(dirname "$0")/../scripts/lib/setup.sh"
trap twinpath_stop_all EXIT

# Own trees and Wine prefix, so the test trees keep their settings.
TWINPATH_NATIVE="$TWINPATH_BUILD/bench/native"
TWINPATH_WIN="$TWINPATH_BUILD/bench/win"

twinpath_install_packages
log "native build (Release)"
cmake -S "$TWINPATH_ROOT" -B "$TWINPATH_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTWINPATH_BENCH=ON >/dev/null
cmake --build "$TWINPATH_NATIVE"
twinpath_build_windows -DTWINPATH_TESTS=OFF -DTWINPATH_BENCH=ON

log "machine: $(nproc) CPUs, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
log "sort (native)"
"$TWINPATH_NATIVE/bench/sort_bench"

mkdir -p "$TWINPATH_WIN"
twinpath_start_display
twinpath_prepare_prefix
twinpath_wine_env
wineserver -p </dev/null >/dev/null 2>&1
wineboot </dev/null >/dev/null 2>&1

# Under Wine every new name in a folder is first looked up by reading the whole
# folder, so the program's own creation of 100,000 files is quadratic (over
# half an hour). Made from here it takes a second; the program then reuses it.
temp="$(winepath -u "$(/usr/lib/wine/wine64 cmd /c 'echo %TEMP%' </dev/null 2>/dev/null | tr -d '\r')")"
folder="$temp/twinpath-bench-100000"
if [ "$(find "$folder" -maxdepth 1 -type f 2>/dev/null | wc -l)" -ne 100000 ]; then
    log "creating 100000 files in $folder"
    mkdir -p "$folder"
    (cd "$folder" && seq -f 'Document %06g.txt' 0 99999 | xargs -d '\n' touch)
fi
log "whole listing (Wine)"
/usr/lib/wine/wine64 "$TWINPATH_WIN/bench/listing_bench.exe" </dev/null
