#!/usr/bin/env bash
# Installs what is missing, checks the format, builds the trees and runs every
# test: the core's unit tests natively, a short pass of each fuzz target, the
# Windows layer's tests under Wine; last, the size of the tests against the
# code. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"
trap twinpath_stop_all EXIT

twinpath_install_packages

log "format"
twinpath_check_format

twinpath_build_native
twinpath_build_windows

log "native tests"
ctest --test-dir "$TWINPATH_NATIVE" --output-on-failure --timeout 300 -j2

twinpath_build_fuzz
for target in "${TWINPATH_FUZZ_TARGETS[@]}"; do twinpath_fuzz "$target" 20; done

mkdir -p "$TWINPATH_WIN"
twinpath_start_display
twinpath_prepare_prefix
twinpath_start_wine

shot="$TWINPATH_WIN/screenshot.png"
twinpath_screenshot "$shot" 'C:\windows\system32\drivers\etc\hosts'
log "screenshot of the window: $shot"

log "Windows tests under Wine"
ctest --test-dir "$TWINPATH_WIN" --output-on-failure --timeout 180

twinpath_code_size
