#!/usr/bin/env bash
# The test suite, one stage after another: scripts/test.sh runs every stage
# ("run"), scripts/faults.py reads the same stages ("plan") and runs them one
# by one, so the two cannot drift apart. Each call runs one step and exits
# non-zero when that step fails. The display, the Wine prefix, the wineserver
# and the keeper process are started once by "start" and stopped by "stop";
# every step in between picks up their environment from the session file in
# the build folder (TWINPATH_BUILD).
#
#   suite.sh plan SECONDS        the stages, one a line: label, kind, tree and
#                                the step with its arguments, TAB-separated;
#                                SECONDS for each fuzz target, 0 for none
#   suite.sh run SECONDS         every stage of the plan, the Wine session
#                                started before the first that needs it
#   suite.sh build-all [fuzz]    full builds of the trees (fuzz tree only with "fuzz")
#   suite.sh start               display, Wine prefix, wineserver, keeper
#   suite.sh product TREE...     the programs alone in each tree named:
#                                twinpath_core and twinpath_cli in native and
#                                fuzz, twinpath.exe and tpath.exe in win
#   suite.sh native-build        the native tree with its unit tests
#   suite.sh native-test [ARGS...] the unit tests (ASan and UBSan; extra CTest arguments)
#   suite.sh fuzz-build          the fuzz targets
#   suite.sh fuzz TARGET SECONDS one fuzz target for SECONDS
#   suite.sh fuzz-replay TARGET  runs a fuzz target again on what its last run
#                                kept under findings/
#   suite.sh win-build           the Windows tree with its tests
#   suite.sh screenshot          a picture of the window, build/win/screenshot.png
#   suite.sh win-test [ARGS...]  the Windows tree's tests (the core's and the
#                                Windows layer's under Wine, the release
#                                archive's natively; extra CTest arguments)
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

# Kinds: "build" builds tests, "tests" runs CTest, "fuzz" one fuzz target,
# "show" is no test. Trees: native, fuzz, win, and wine for the win tree's
# steps that need the Wine session.
twinpath_suite_plan() {
    local seconds="$1" target
    printf '%s\t%s\t%s\t%s\n' "native build" build native native-build "native tests" tests native native-test
    if [ "$seconds" -gt 0 ]; then
        printf '%s\t%s\t%s\t%s\n' "fuzz build" build fuzz fuzz-build
        for target in "${TWINPATH_FUZZ_TARGETS[@]}"; do
            printf '%s\t%s\t%s\t%s\n' "fuzz $target" fuzz fuzz "fuzz $target $seconds"
        done
    fi
    printf '%s\t%s\t%s\t%s\n' "Windows build" build win win-build "screenshot of the window" show wine screenshot \
        "Windows tree's tests" tests wine win-test
}

step="${1:-}"
shift || true
case "$step" in
plan)
    twinpath_suite_plan "${1:?SECONDS}"
    ;;
run)
    mapfile -t stages < <(twinpath_suite_plan "${1:?SECONDS}")
    session=""
    trap '[ -z "$session" ] || bash "$0" stop' EXIT
    for stage in "${stages[@]}"; do
        IFS=$'\t' read -r label _ tree command <<<"$stage"
        if [ "$tree" = wine ] && [ -z "$session" ]; then
            bash "$0" start </dev/null || exit 1
            session=1
        fi
        log "$label"
        # shellcheck disable=SC2086
        bash "$0" $command </dev/null || { log "failed: $label"; exit 1; }
    done
    ;;
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
    for tree in "$@"; do
        case "$tree" in
        native) cmake --build "$TWINPATH_NATIVE" --target twinpath_core twinpath_cli || exit 1 ;;
        fuzz) nice -n 10 cmake --build "$TWINPATH_FUZZ_TREE" --target twinpath_core twinpath_cli || exit 1 ;;
        win) cmake --build "$TWINPATH_WIN" --target twinpath tpath || exit 1 ;;
        *) log "no tree $tree"; exit 2 ;;
        esac
    done
    ;;
native-build)
    twinpath_build_native
    ;;
native-test)
    ctest --test-dir "$TWINPATH_NATIVE" --output-on-failure --timeout 60 -j2 "$@"
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
screenshot)
    load_session || exit 1
    twinpath_screenshot "$TWINPATH_WIN/screenshot.png" 'C:\windows\system32\drivers\etc\hosts'
    log "screenshot of the window: $TWINPATH_WIN/screenshot.png"
    ;;
win-test)
    load_session || exit 1
    ctest --test-dir "$TWINPATH_WIN" --output-on-failure --timeout 180 "$@"
    ;;
*)
    log "usage: $0 plan SECONDS|run SECONDS|build-all [fuzz]|start|product TREE...|native-build|native-test [ARGS...]|fuzz-build|fuzz TARGET SECONDS|fuzz-replay TARGET|win-build|screenshot|win-test [ARGS...]|alive|stop"
    exit 2
    ;;
esac
