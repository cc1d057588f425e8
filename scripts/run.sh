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

exe="$TWINPATH_WIN/platform/win32/twinpath.exe"
if [ $headless -eq 0 ]; then
    log "starting twinpath.exe ${args[*]:-}"
    /usr/lib/wine/wine64 "$exe" "${args[@]}"
    exit 0
fi

/usr/lib/wine/wine64 "$exe" "${args[@]}" </dev/null >/dev/null 2>&1 &
program=$!
sleep 3
shot="$TWINPATH_BUILD/screenshot.png"
import -display "$DISPLAY" -window root "$shot"
if kill -0 "$program" 2>/dev/null; then
    log "twinpath.exe is running; screenshot of the screen: $shot"
else
    log "twinpath.exe ended by itself; screenshot of the screen: $shot"
fi
printf '%s\n' "$shot"
kill "$program" 2>/dev/null || true
