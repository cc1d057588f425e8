# Shared set-up of scripts/test.sh, scripts/run.sh and scripts/fuzz.sh: packages,
# the build trees, a display, a Wine prefix of the build's own, and the fuzz
# runs. Sourced, not run.

TWINPATH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TWINPATH_BUILD="${TWINPATH_BUILD:-$TWINPATH_ROOT/build}"
TWINPATH_NATIVE="$TWINPATH_BUILD/native"
TWINPATH_WIN="$TWINPATH_BUILD/win"
TWINPATH_FUZZ_TREE="$TWINPATH_BUILD/fuzz"
TWINPATH_FUZZ_TARGETS=(core)

# Toolchains, Wine and the X server come with what they recommend: "wine"
# holds wineboot, wineserver and winepath, and Xvfb's default font comes with
# its recommendations. libclang-rt-14-dev holds libFuzzer for Debian 12's clang.
TWINPATH_PACKAGES=(cmake ninja-build g++ clang-format python3 googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64
                   wine xvfb clang libclang-rt-14-dev)
# Screenshots and the Japanese face need only themselves.
TWINPATH_PACKAGES_LEAN=(x11-apps imagemagick fonts-ipafont-gothic fonts-wine)

log() { printf '== %s\n' "$*" >&2; }

# Installs only what is missing, so a prepared machine installs nothing.
twinpath_missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || printf '%s\n' "$package"
    done
}

twinpath_install_packages() {
    local missing lean
    missing=$(twinpath_missing_packages "${TWINPATH_PACKAGES[@]}")
    lean=$(twinpath_missing_packages "${TWINPATH_PACKAGES_LEAN[@]}")
    [ -z "$missing$lean" ] && return 0
    log "installing:" $missing $lean
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    if [ -n "$missing" ]; then
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing >/dev/null
    fi
    if [ -n "$lean" ]; then
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $lean >/dev/null
    fi
}

# Every C++ file of the program, its tests and benchmarks, as .clang-format
# wants it.
twinpath_check_format() {
    (cd "$TWINPATH_ROOT" && git ls-files -co --exclude-standard -- '*.cpp' '*.h' | grep -v '^build' |
        xargs clang-format --dry-run --Werror)
}

# The tests stay within 0.4 times the product code.
twinpath_code_size() {
    python3 "$TWINPATH_ROOT/scripts/lib/code_size.py" "$TWINPATH_ROOT"
}

twinpath_build_native() {
    log "native build (core and unit tests, ASan and UBSan)"
    cmake -S "$TWINPATH_ROOT" -B "$TWINPATH_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DTWINPATH_TESTS=ON -DTWINPATH_SANITIZE=ON "$@" >/dev/null
    cmake --build "$TWINPATH_NATIVE"
}

twinpath_build_windows() {
    log "Windows build (MinGW-w64)"
    cmake -S "$TWINPATH_ROOT" -B "$TWINPATH_WIN" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$TWINPATH_ROOT/cmake/mingw-w64-x86_64.cmake" -DTWINPATH_TESTS=ON "$@" >/dev/null
    cmake --build "$TWINPATH_WIN"
}

# Optimised with debug information: the runs per second are what find faults,
# and the stacks of what they find must still be read.
twinpath_build_fuzz() {
    log "fuzz build (clang, libFuzzer, ASan and UBSan)"
    CC=clang CXX=clang++ cmake -S "$TWINPATH_ROOT" -B "$TWINPATH_FUZZ_TREE" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTWINPATH_FUZZ=ON "$@" >/dev/null
    nice -n 10 cmake --build "$TWINPATH_FUZZ_TREE"
}

# Runs one fuzz target for a number of seconds at low priority, on a fresh copy
# of its seed corpus so the repository is never written. Any crash, leak,
# sanitizer report, broken rule or input slower than 10 s fails it; the input
# is kept under findings/ in the fuzz tree.
twinpath_fuzz() {
    local target="$1" seconds="$2"
    local corpus="$TWINPATH_FUZZ_TREE/corpus/$target"
    local findings="$TWINPATH_FUZZ_TREE/findings"
    local output="$TWINPATH_FUZZ_TREE/$target.log"
    rm -rf "$corpus"
    mkdir -p "$corpus" "$findings"
    cp "$TWINPATH_ROOT/tests/fuzz/corpus/$target/"* "$corpus/"
    log "fuzzing $target for ${seconds} s"
    if ! nice -n 10 "$TWINPATH_FUZZ_TREE/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$findings/$target-" "$corpus" >"$output" 2>&1; then
        tail -n 60 "$output" >&2
        log "$target: the fuzzer found a fault; input in $findings, output in $output"
        return 1
    fi
    grep -E 'DONE|^Done|stat::' "$output" >&2 || true
}

TWINPATH_XVFB_PID=""
TWINPATH_KEEPER_PID=""

# Uses the display that is set, or starts a private Xvfb.
twinpath_start_display() {
    if [ -n "${DISPLAY:-}" ]; then
        printf '%s\n' "$DISPLAY" >"$TWINPATH_WIN/display"
        return 0
    fi
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    TWINPATH_XVFB_PID=$!
    local tries=0
    while [ ! -e "/tmp/.X11-unix/X$n" ]; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && { log "Xvfb did not start"; return 1; }
        sleep 0.1
    done
    export DISPLAY=":$n"
    printf '%s\n' "$DISPLAY" >"$TWINPATH_WIN/display"
    log "private display $DISPLAY"
}

twinpath_wine_env() {
    export WINEPREFIX="$TWINPATH_WIN/wineprefix"
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
    export HOME="${HOME:-/root}"
}

# The prefix is made once per build tree; later runs reuse it.
twinpath_prepare_prefix() {
    twinpath_wine_env
    # A wineserver started earlier without this display would leave windows
    # without a driver: start from a clean server.
    wineserver -k >/dev/null 2>&1 || true
    if [ ! -f "$WINEPREFIX/.twinpath-ready-2" ]; then
        log "creating Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        wineserver -w
        local fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$fonts/" 2>/dev/null || true
        # regedit reads a version 5 file as UTF-16 (with its BOM): the Japanese
        # face name would arrive garbled from a UTF-8 file.
        local reg="$TWINPATH_WIN/wine-settings.reg"
        iconv -f UTF-8 -t UTF-16 >"$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1280x800"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Decorated"="N"

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAGothic"
"MS PGothic"="IPAGothic"
REG
        /usr/lib/wine/wine64 regedit /S "$(winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.twinpath-ready-2"
    fi
}

# A persistent wineserver and one long-lived hidden-window process, all with
# their standard streams on /dev/null, so that CTest does not wait for Wine's
# helper processes and every test starts on a warm Wine.
twinpath_start_wine() {
    twinpath_wine_env
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot </dev/null >/dev/null 2>&1
    # The keeper's window starts Wine's desktop process. Tests start only once
    # it runs: a test that got there first would start it instead, handing it
    # CTest's output pipe, and CTest would wait for that pipe until timeout.
    local ready="$TWINPATH_WIN/keeper-ready"
    rm -f "$ready"
    /usr/lib/wine/wine64 "$TWINPATH_WIN/tests/win32/wine_keeper.exe" "Z:${ready//\//\\}" \
        </dev/null >/dev/null 2>&1 &
    TWINPATH_KEEPER_PID=$!
    local tries=0
    while [ ! -e "$ready" ]; do
        tries=$((tries + 1))
        [ $tries -gt 300 ] && { log "the Wine keeper did not start"; return 1; }
        sleep 0.1
    done
}

twinpath_stop_all() {
    [ -n "$TWINPATH_KEEPER_PID" ] && kill "$TWINPATH_KEEPER_PID" 2>/dev/null
    if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    [ -n "$TWINPATH_XVFB_PID" ] && kill "$TWINPATH_XVFB_PID" 2>/dev/null
    return 0
}

# Starts the program with a path, saves a picture of it and ends it again.
# The virtual desktop's plain background is trimmed away, leaving the window.
twinpath_screenshot() {
    local out="$1"
    shift
    /usr/lib/wine/wine64 "$TWINPATH_WIN/win32/twinpath.exe" "$@" </dev/null >/dev/null 2>&1 &
    local program=$!
    sleep 3
    import -display "$DISPLAY" -window root "$out.full.png"
    convert "$out.full.png" -trim +repage "$out"
    rm -f "$out.full.png"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}
