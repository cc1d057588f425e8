#!/usr/bin/env bash
# The test suite in steps, for scripts/faults.py: each call runs one step and
# exits non-zero when that step fails. The display, the Wine prefix, the
# wineserver and the keeper process are started once by "start" and stopped
# by "stop"; every step in between picks up their environment from the
# session file in the build folder (TWINPATH_BUILD).
#
#   suite.sh build-all [fuzz]    full builds of the trees (fuzz tree only with "fuzz")
#   suite.sh start               display, Wine prefix, wineserver, keeper
#   suite.sh product [fuzz]      the program alone in every tree: twinpath_core
#                                natively (and with clang), twinpath.exe with MinGW
#   suite.sh native-build        the native tree with its unit tests
#   suite.sh native-test [ARGS...] the unit tests (ASan and UBSan; extra CTest arguments)
#   suite.sh fuzz-build          the fuzz targets
#   suite.sh fuzz TARGET SECONDS one fuzz target for SECONDS
#   suite.sh fuzz-replay TARGET  runs a fuzz target again on what its last run
#                                kept under findings/
#   suite.sh win-build           the Windows tree with its tests
#   suite.sh win-test [ARGS...]  the Windows tests under Wine (extra CTest arguments)
#   suite.sh alive               whether the session's keeper (and so its
#                                wineserver) and display still run
#   suite.sh stop                ends what "start" started
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

session_file="$TWINPATH_BUILD/wine-session.env"

load_session() {
    if [ ! -f "$session_file" ]; then
        log "no Wine session: run '$0 start' first"
        return 1
    fi
    # shellcheck disable=SC1090
    source "$session_file"
    export DISPLAY
    twinpath_wine_env
}

step="${1:-}"
shift || true
case "$step" in
build-all)
    twinpath_install_packages || exit 1
    twinpath_build_native || exit 1
    twinpath_build_windows || exit 1
    if [ "${1:-}" = fuzz ]; then twinpath_build_fuzz || exit 1; fi
    ;;
start)
    mkdir -p "$TWINPATH_WIN"
    twinpath_start_display || { twinpath_stop_all; exit 1; }
    twinpath_prepare_prefix || { twinpath_stop_all; exit 1; }
    twinpath_start_wine || { twinpath_stop_all; exit 1; }
    {
        printf 'DISPLAY=%q\n' "$DISPLAY"
        printf 'TWINPATH_XVFB_PID=%q\n' "$TWINPATH_XVFB_PID"
        printf 'TWINPATH_KEEPER_PID=%q\n' "$TWINPATH_KEEPER_PID"
    } >"$session_file"
    log "Wine session ready on $DISPLAY (keeper $TWINPATH_KEEPER_PID)"
    ;;
stop)
    [ -f "$session_file" ] || exit 0
    load_session
    # Only the processes this session started: a number that now names some
    # other process is dropped.
    grep -qa Xvfb "/proc/$TWINPATH_XVFB_PID/cmdline" 2>/dev/null || TWINPATH_XVFB_PID=""
    grep -qa wine_keeper "/proc/$TWINPATH_KEEPER_PID/cmdline" 2>/dev/null || TWINPATH_KEEPER_PID=""
    twinpath_stop_all
    rm -f "$session_file"
    log "Wine session stopped"
    ;;
product)
    cmake --build "$TWINPATH_NATIVE" --target twinpath_core || exit 1
    if [ "${1:-}" = fuzz ]; then nice -n 10 cmake --build "$TWINPATH_FUZZ_TREE" --target twinpath_core || exit 1; fi
    cmake --build "$TWINPATH_WIN" --target twinpath || exit 1
    ;;
native-build)
    twinpath_build_native
    ;;
native-test)
    ctest --test-dir "$TWINPATH_NATIVE" --output-on-failure --timeout 300 -j2 "$@"
    ;;
fuzz-build)
    twinpath_build_fuzz
    ;;
fuzz)
    rm -f "$TWINPATH_FUZZ_TREE/findings/$1-"*
    twinpath_fuzz "$1" "$2"
    ;;
fuzz-replay)
    shopt -s nullglob
    found=("$TWINPATH_FUZZ_TREE/findings/$1-"*)
    [ ${#found[@]} -gt 0 ] || { log "$1: nothing kept to replay"; exit 1; }
    "$TWINPATH_FUZZ_TREE/tests/fuzz/${1}_fuzzer" -timeout=10 "${found[@]}"
    ;;
alive)
    load_session || exit 1
    grep -qa wine_keeper "/proc/$TWINPATH_KEEPER_PID/cmdline" 2>/dev/null || { log "the Wine keeper has gone"; exit 1; }
    if [ -n "$TWINPATH_XVFB_PID" ]; then
        grep -qa Xvfb "/proc/$TWINPATH_XVFB_PID/cmdline" 2>/dev/null || { log "the display has gone"; exit 1; }
    fi
    ;;
win-build)
    twinpath_build_windows
    ;;
win-test)
    load_session || exit 1
    ctest --test-dir "$TWINPATH_WIN" --output-on-failure --timeout 180 "$@"
    ;;
*)
    log "usage: $0 build-all [fuzz]|start|product [fuzz]|native-build|native-test [ARGS...]|fuzz-build|fuzz TARGET SECONDS|fuzz-replay TARGET|win-build|win-test [ARGS...]|alive|stop"
    exit 2
    ;;
esac
