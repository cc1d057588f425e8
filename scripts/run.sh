#!/usr/bin/env bash
# Builds twinpath.exe and starts it under Wine with an optional path: a
# Windows path (C:\...) or a path of this machine, which is translated. With no
# display set it runs on a private Xvfb, saves a screenshot of the screen and
# prints where it is.
set -euo pipefail
source "$(dirname "$0")/lib/setup.sh"
trap twinpath_stop_all EXIT

twinpath_install_packages
twinpath_build_windows >/dev/null

headless=0
[ -z "${DISPLAY:-}" ] && headless=1
twinpath_start_display
twinpath_prepare_prefix
twinpath_start_wine

args=()
if [ $# -gt 0 ]; then
    target="$1"
    if [ -e "$target" ]; then target="$(winepath -w "$(realpath "$target")" 2>/dev/null)"; fi
    args+=("$target")
fi

exe="$TWINPATH_WIN/win32/twinpath.exe"
if [ $headless -eq 0 ]; then
    log "starting twinpath.exe ${args[*]:-}"
    /usr/lib/wine/wine64 "$exe" "${args[@]}"
    exit 0
fi

shot="$TWINPATH_BUILD/screenshot.png"
twinpath_screenshot "$shot" "${args[@]}"
log "twinpath.exe ran on a private display; screenshot of its window: $shot"
printf '%s\n' "$shot"
