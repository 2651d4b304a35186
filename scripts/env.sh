# Shared by scripts/test, scripts/run and scripts/bench: installs what is missing and sets up
# the Wine environment. Source it; it defines functions and changes nothing by itself.

VANTRY_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VANTRY_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev mingw-w64
                 g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth imagemagick xdotool x11-utils
                 procps python3-gi gir1.2-gtk-3.0 python3 git)

vantry_install() {
    local missing=() p
    for p in "${VANTRY_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

VANTRY_STARTED_XVFB=""
VANTRY_STARTED_WINESERVER=""
VANTRY_KEEPER=""

# Starts Xvfb on a free display when there is none, and one persistent wineserver so that each
# Wine process starts quickly.
vantry_start_display() {
    if [ -z "${DISPLAY:-}" ] || [ "${1:-}" = "--virtual" ]; then
        local n=90
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        VANTRY_STARTED_XVFB=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
}

# VANTRY_WINEPREFIX names another prefix (scripts/repeat gives each copy its own).
vantry_start_wine() {
    export WINEPREFIX="${VANTRY_WINEPREFIX:-$VANTRY_ROOT/build/wineprefix}"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEARCH=win64
    mkdir -p "$VANTRY_ROOT/build"
    wineserver -p >/dev/null 2>&1
    VANTRY_STARTED_WINESERVER=1
    # Start Wine's own background processes (services, explorer) here, with their output going
    # nowhere: started by a test instead, they would inherit its output pipe and keep CTest
    # waiting until they end.
    wine wineboot -i >/dev/null 2>&1 </dev/null || true
    # Without a window manager (our own Xvfb), Wine waits two seconds for one to confirm that a
    # hidden window is withdrawn; unmanaged windows are hidden at once. On the user's own display
    # the window manager keeps managing them.
    local key='HKCU\Software\Wine\X11 Driver'
    if [ -n "$VANTRY_STARTED_XVFB" ]; then
        wine reg add "$key" /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
    else
        wine reg delete "$key" /v Managed /f >/dev/null 2>&1 </dev/null || true
    fi
}

# Keeps Wine's desktop up from now until the services stop (tests/win32/helpers/desktop_keeper.cpp
# says why); BUILD is the windows preset's build folder, which holds the keeper.
vantry_keep_desktop() {
    local i try ready
    if [ -n "$VANTRY_KEEPER" ]; then
        kill "$VANTRY_KEEPER" 2>/dev/null
        wait "$VANTRY_KEEPER" 2>/dev/null
        VANTRY_KEEPER=""
    fi
    # Wine closes a desktop a moment after the last program on it ends (wineboot's, the keeper's):
    # the keeper starts once it is gone, not while it goes. It says "ready" once it holds a desktop
    # that stays, or ends, and then it is started again.
    ready=$(mktemp)
    for try in 1 2 3 4 5; do
        for i in $(seq 1 50); do vantry_desktop_up || break; sleep 0.2; done
        wine "$1/desktop_keeper.exe" </dev/null >"$ready" 2>/dev/null &
        VANTRY_KEEPER=$!
        for i in $(seq 1 300); do
            grep -q ready "$ready" && break 2
            kill -0 "$VANTRY_KEEPER" 2>/dev/null || break
            sleep 0.2
        done
        kill "$VANTRY_KEEPER" 2>/dev/null
        wait "$VANTRY_KEEPER" 2>/dev/null
        VANTRY_KEEPER=""
    done
    rm -f "$ready"
    [ -n "$VANTRY_KEEPER" ] || echo "Wine's desktop could not be kept up; the Wine tests may wait on it" >&2
}

# Whether the desktop process of this Wine prefix runs.
vantry_desktop_up() {
    local p
    for p in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

vantry_stop_services() {
    if [ -n "${VANTRY_KEEPER:-}" ]; then kill "$VANTRY_KEEPER" 2>/dev/null || true; fi
    if [ -n "$VANTRY_STARTED_WINESERVER" ]; then wineserver -k >/dev/null 2>&1 || true; fi
    if [ -n "$VANTRY_STARTED_XVFB" ]; then kill "$VANTRY_STARTED_XVFB" 2>/dev/null || true; fi
}
