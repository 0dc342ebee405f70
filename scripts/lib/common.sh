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

# A Wine session: a private virtual X display, a private copy of the prefix (hard links,
# so it costs nothing; the registry files, which Wine rewrites, are real copies) and its
# own persistent wineserver. Runs on one machine never see each other's windows or
# settings, and stopping one stops nothing else. stop_display undoes it all.
start_display() {
    local n display=
    for n in $(seq 90 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        TOLVANE_XVFB_PID=$!
        local i
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$TOLVANE_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        if [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
        kill "$TOLVANE_XVFB_PID" 2>/dev/null; TOLVANE_XVFB_PID=
    done
    [ -n "$display" ] || die "could not start Xvfb"
    export DISPLAY=$display

    find "$TOLVANE_CACHE" -maxdepth 1 -name 'run.*' -mmin +720 -exec rm -rf {} + 2>/dev/null || true
    TOLVANE_RUN_PREFIX=$(mktemp -d "$TOLVANE_CACHE/run.XXXXXX")
    cp -al "$WINEPREFIX/." "$TOLVANE_RUN_PREFIX/"
    local reg
    for reg in system.reg user.reg userdef.reg; do
        cp --remove-destination "$WINEPREFIX/$reg" "$TOLVANE_RUN_PREFIX/$reg"
    done
    export WINEPREFIX=$TOLVANE_RUN_PREFIX
    wineserver -p >/dev/null 2>&1 &
    # Start Wine's own background processes (services, the desktop's explorer) now, with
    # no output attached: started by a test, they would inherit its output pipe and keep
    # CTest waiting for the end of it.
    "$TOLVANE_WINE" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

stop_display() {
    if [ -n "${TOLVANE_RUN_PREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
        rm -rf "$TOLVANE_RUN_PREFIX"
    fi
    if [ -n "${TOLVANE_XVFB_PID:-}" ]; then
        kill "$TOLVANE_XVFB_PID" 2>/dev/null || true
        wait "$TOLVANE_XVFB_PID" 2>/dev/null || true
    fi
}
