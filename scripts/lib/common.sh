# Shared settings for the project's scripts: cache folders, Wine environment.
# Sourced, never run.

TOLVANE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
TOLVANE_CACHE="${TOLVANE_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tolvane}"
# Bump when the dependency build changes, so a stale cache is never reused.
TOLVANE_DEPS_VERSION=4
TOLVANE_DEPS="$TOLVANE_CACHE/deps-v$TOLVANE_DEPS_VERSION"
TOLVANE_BUILD="${TOLVANE_BUILD:-$TOLVANE_ROOT/build}"

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export CCACHE_DIR="${CCACHE_DIR:-$TOLVANE_CACHE/ccache}"
# Hits across clones: CI builds in a fresh clone every time. Paths are made relative to the
# clone, and the folder compiled in is left out of the key (with -g ccache would add it).
export CCACHE_BASEDIR="$TOLVANE_ROOT"
export CCACHE_NOHASHDIR=1

log() { printf '[%s] %s\n' "$(basename "$0")" "$*" >&2; }
die() { log "error: $*"; exit 1; }

# Which Windows build the tests run. The program is a 32-bit Windows program, so the i686
# build is the one tested wherever 32-bit Wine can start: natively, or through qemu-user
# where the kernel refuses 32-bit programs. Only where neither works do the tests run the
# x86_64 build of the same code under 64-bit Wine (the i686 build is then compiled only).
# Decided by select_test_arch, after the packages are installed; TOLVANE_TEST_ARCH=x86_64
# or i686 in the environment overrides the choice.
WINE32=/usr/lib/wine/wine
QEMU_I386=/usr/bin/qemu-i386
QEMU_I386_ENTRY=/usr/share/qemu/binfmt.d/qemu-i386.conf
# Older qemu-user ignores MAP_FIXED_NOREPLACE: Wine then retries its address-space
# reservation for about a minute per process. 10 is the oldest seen to work.
QEMU_I386_MIN_MAJOR=10

# in_binfmt_namespace ENTRY CMD...: runs CMD in a user namespace of its own with its own
# binfmt_misc (Linux 6.7 and later), holding only ENTRY (a binfmt_misc registration line;
# empty for none). The machine's own handlers do not apply there, and nothing registered
# there is seen outside. Mounting needs the namespace's root; CMD then runs in a nested
# namespace under the caller's own ids, so that Wine finds its prefix and its server
# folder (/tmp/.wine-UID) as outside. Exits 125 when the namespace cannot be had.
in_binfmt_namespace() {
    local entry=$1; shift
    unshare --user --map-root-user --mount --fork bash -c '
        mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc 2>/dev/null || exit 125
        [ -z "$1" ] || printf "%s\n" "$1" >/proc/sys/fs/binfmt_misc/register 2>/dev/null || exit 125
        uid=$2 gid=$3; shift 3
        exec unshare --user --map-user="$uid" --map-group="$gid" "$@"' bash "$entry" "$(id -u)" "$(id -g)" "$@"
}
have_binfmt_namespace() {
    command -v unshare >/dev/null && in_binfmt_namespace "" true 2>/dev/null
}
# Whether the kernel itself starts 32-bit Wine; a handler registered on the machine (an
# emulator of unknown fitness) is shut out where a namespace of our own can be had.
kernel_runs_wine32() {
    [ -x "$WINE32" ] || return 1
    if have_binfmt_namespace; then
        in_binfmt_namespace "" "$WINE32" --version >/dev/null 2>&1
    else
        "$WINE32" --version >/dev/null 2>&1
    fi
}
qemu_i386_version() {   # prints the installed qemu-i386's version, if any
    [ -x "$QEMU_I386" ] && "$QEMU_I386" --version 2>/dev/null | sed -n '1s/.* version \([0-9][0-9.]*\).*/\1/p'
}
have_usable_qemu() {
    local v; v=$(qemu_i386_version)
    [ -n "$v" ] && [ "${v%%.*}" -ge "$QEMU_I386_MIN_MAJOR" ] && [ -f "$QEMU_I386_ENTRY" ] || return 1
    local interpreter; interpreter=$(cut -d: -f7 "$QEMU_I386_ENTRY")
    [ -x "$interpreter" ]
}
# Whether the i686 tests can run through qemu on this machine (given a usable qemu).
qemu_can_run_wine32() {
    [ -x "$WINE32" ] && have_usable_qemu && have_binfmt_namespace \
        && in_binfmt_namespace "$(cat "$QEMU_I386_ENTRY")" "$WINE32" --version >/dev/null 2>&1
}

# Sets and exports TOLVANE_TEST_ARCH (i686 or x86_64), TOLVANE_I686_VIA (native, qemu or
# none) and the Wine settings that follow; TOLVANE_ARCH_NOTE says why, for the output.
# Child scripts inherit the decision instead of taking it again.
select_test_arch() {
    if [ -z "${TOLVANE_I686_VIA:-}" ]; then
        if kernel_runs_wine32; then
            TOLVANE_I686_VIA=native TOLVANE_ARCH_NOTE="32-bit Wine runs natively"
        elif qemu_can_run_wine32; then
            TOLVANE_I686_VIA=qemu
            TOLVANE_ARCH_NOTE="this kernel refuses 32-bit programs: 32-bit Wine runs through qemu-user $(qemu_i386_version)"
        else
            TOLVANE_I686_VIA=none
            if [ ! -x "$WINE32" ]; then TOLVANE_ARCH_NOTE="32-bit Wine is not installed"
            elif ! have_usable_qemu; then TOLVANE_ARCH_NOTE="this kernel refuses 32-bit programs and qemu-user $QEMU_I386_MIN_MAJOR or later is not installed"
            else TOLVANE_ARCH_NOTE="this kernel refuses 32-bit programs and gives no user namespace with binfmt_misc for qemu-user"
            fi
        fi
        if [ -n "${TOLVANE_TEST_ARCH:-}" ]; then
            TOLVANE_ARCH_NOTE="chosen by TOLVANE_TEST_ARCH; $TOLVANE_ARCH_NOTE"
        elif [ "$TOLVANE_I686_VIA" = none ]; then
            TOLVANE_TEST_ARCH=x86_64
        else
            TOLVANE_TEST_ARCH=i686
        fi
    fi
    if [ "$TOLVANE_TEST_ARCH" = i686 ]; then
        export WINEARCH=win32 TOLVANE_WINE=$WINE32
    else
        export WINEARCH=win64 TOLVANE_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
    fi
    export TOLVANE_TEST_ARCH TOLVANE_I686_VIA TOLVANE_ARCH_NOTE
    export WINEPREFIX="${WINEPREFIX:-$TOLVANE_CACHE/wineprefix-$WINEARCH}"
}

# in_wine_namespace CMD...: runs CMD where 32-bit Wine can start. Through qemu, that is a
# binfmt namespace with qemu registered (the handler is never registered for the whole
# machine); elsewhere CMD runs as it is.
in_wine_namespace() {
    if [ "$TOLVANE_TEST_ARCH" = i686 ] && [ "$TOLVANE_I686_VIA" = qemu ] && [ -z "${TOLVANE_IN_NAMESPACE:-}" ]; then
        TOLVANE_IN_NAMESPACE=1 in_binfmt_namespace "$(cat "$QEMU_I386_ENTRY")" "$@"
    else
        "$@"
    fi
}
# enter_wine_namespace "$0" "$@": a script that runs Wine calls this first; where qemu is
# needed, the script runs again inside the namespace and ends with it.
enter_wine_namespace() {
    [ "$TOLVANE_TEST_ARCH" = i686 ] && [ "$TOLVANE_I686_VIA" = qemu ] && [ -z "${TOLVANE_IN_NAMESPACE:-}" ] \
        || return 0
    in_wine_namespace "$BASH" "$@"
    exit $?
}

# configure_windows DIR ARCH [cmake args...]: a Windows build tree in DIR for ARCH, using the
# dependencies that scripts/setup built; configured again when that folder changes.
configure_windows() {
    local dir=$1 arch=$2; shift 2
    local deps="$TOLVANE_DEPS/$arch"
    if [ -f "$dir/build.ninja" ] && grep -qxF "TOLVANE_DEPS:PATH=$deps" "$dir/CMakeCache.txt" 2>/dev/null; then
        return
    fi
    cmake -S "$TOLVANE_ROOT" -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOLVANE_ROOT/cmake/toolchain-mingw-$arch.cmake" \
        -DTOLVANE_DEPS="$deps" "$@" >/dev/null
}

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
    # A crashing program ends with its error: no crash debugger starts (it would wait forever).
    sed -i 's/^"Debugger"="winedbg --auto.*/"Debugger"="tolvane-no-crash-debugger"/' "$TOLVANE_RUN_PREFIX/system.reg"
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
