# Shared set-up of scripts/test.sh and scripts/run.sh: packages, the two build
# trees, a display, and a Wine prefix of the build's own. Sourced, not run.

TWINPATH_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TWINPATH_BUILD="${TWINPATH_BUILD:-$TWINPATH_ROOT/build}"
TWINPATH_NATIVE="$TWINPATH_BUILD/native"
TWINPATH_WIN="$TWINPATH_BUILD/win"

TWINPATH_PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 xvfb
                   x11-apps imagemagick fonts-ipafont-gothic fonts-wine)

log() { printf '== %s\n' "$*" >&2; }

# Installs only what is missing, so a prepared machine installs nothing.
twinpath_install_packages() {
    local missing=() package
    for package in "${TWINPATH_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    log "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
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
    if [ ! -f "$WINEPREFIX/.twinpath-ready" ]; then
        log "creating Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        wineserver -w
        local fonts="$WINEPREFIX/drive_c/windows/Fonts"
        mkdir -p "$fonts"
        cp /usr/share/wine/fonts/{tahoma,tahomabd,marlett}.ttf "$fonts/" 2>/dev/null || true
        local reg="$TWINPATH_WIN/wine-settings.reg"
        cat >"$reg" <<'REG'
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
        touch "$WINEPREFIX/.twinpath-ready"
    fi
}

# A persistent wineserver and one long-lived hidden-window process, all with
# their standard streams on /dev/null, so that CTest does not wait for Wine's
# helper processes and every test starts on a warm Wine.
twinpath_start_wine() {
    twinpath_wine_env
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot </dev/null >/dev/null 2>&1
    /usr/lib/wine/wine64 "$TWINPATH_WIN/tests/win32/wine_keeper.exe" </dev/null >/dev/null 2>&1 &
    TWINPATH_KEEPER_PID=$!
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
    /usr/lib/wine/wine64 "$TWINPATH_WIN/platform/win32/twinpath.exe" "$@" </dev/null >/dev/null 2>&1 &
    local program=$!
    sleep 3
    import -display "$DISPLAY" -window root "$out.full.png"
    convert "$out.full.png" -trim +repage "$out"
    rm -f "$out.full.png"
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
}
