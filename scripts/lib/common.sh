# Shared settings for the project's scripts: cache folders, Wine environment.
# Sourced, never run.

TOLVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TOLVANE_CACHE="${TOLVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolvane}"
# Bump when the dependency build changes, so a stale cache is never reused.
TOLVANE_DEPS_VERSION=3
TOLVANE_DEPS="$TOLVANE_CACHE/deps-v$TOLVANE_DEPS_VERSION"
TOLVANE_BUILD="${TOLVANE_BUILD:-$TOLVANE_ROOT/build}"

# The program is a 32-bit Windows program. Some kernels here cannot start 32-bit ELF
# binaries, which 32-bit Wine needs; there the tests run the 64-bit build of the same
# code under 64-bit Wine, and the 32-bit build is compiled only.
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
if [ -z "${TOLVANE_TEST_ARCH:-}" ]; then
    if can_run_32bit; then TOLVANE_TEST_ARCH=i686; else TOLVANE_TEST_ARCH=x86_64; fi
fi
if [ "$TOLVANE_TEST_ARCH" = i686 ]; then
    export WINEARCH=win32 TOLVANE_WINE=/usr/lib/wine/wine
else
    export WINEARCH=win64 TOLVANE_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
fi
export WINEPREFIX="${WINEPREFIX:-$TOLVANE_CACHE/wineprefix-$WINEARCH}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export CCACHE_DIR="${CCACHE_DIR:-$TOLVANE_CACHE/ccache}"
# Hits across clones: CI builds in a fresh clone every time.
export CCACHE_BASEDIR="$TOLVANE_ROOT"

log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }
die() { log "error: $*"; exit 1; }

# Start a private X display and a persistent wineserver; stop_display undoes both.
start_display() {
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TOLVANE_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$TOLVANE_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if [ -e "/tmp/.X11-unix/X$n" ]; then
            export DISPLAY=":$n"
            break
        fi
    done
    [ -n "${DISPLAY:-}" ] || die "could not start Xvfb"
    wineserver -p >/dev/null 2>&1 &
    TOLVANE_WINESERVER_STARTED=1
}

stop_display() {
    if [ -n "${TOLVANE_WINESERVER_STARTED:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${TOLVANE_XVFB_PID:-}" ]; then
        kill "$TOLVANE_XVFB_PID" 2>/dev/null || true
        wait "$TOLVANE_XVFB_PID" 2>/dev/null || true
    fi
}
