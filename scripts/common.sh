# Shared steps of the two README commands: install what is missing, build
# the three builds, prepare Wine and a display.  Sourced, never run.
set -euo pipefail

NKCFG_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NKCFG_BUILD=${NKCFG_BUILD:-$NKCFG_ROOT/build}
export NKCFG_ROOT NKCFG_BUILD

NKCFG_PACKAGES=(
    cmake ninja-build python3
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 xvfb xauth x11-utils imagemagick locales fonts-ipafont-gothic
    googletest clang libclang-rt-14-dev
)

log() { printf '== %s\n' "$*" >&2; }

install_packages() {
    local missing=()
    for package in "${NKCFG_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        log "installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    # Japanese (code page 932 under Wine) and, for the tests that prove the
    # tool reads the same elsewhere, US English (code page 1252).
    local generate=0
    for loc in ja_JP en_US; do
        if ! locale -a 2>/dev/null | grep -qi "^$loc.utf8\$"; then
            grep -q "^$loc.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null \
                || echo "$loc.UTF-8 UTF-8" >> /etc/locale.gen
            generate=1
        fi
    done
    if [ $generate = 1 ]; then
        log "generating the ja_JP.UTF-8 and en_US.UTF-8 locales"
        locale-gen >/dev/null
    fi
}

configure_and_build() {  # name, then cmake options
    local name=$1; shift
    local dir=$NKCFG_BUILD/$name
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$NKCFG_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    fi
    cmake --build "$dir"
}

build_windows() {
    configure_and_build win32 -DNKCFG_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$NKCFG_ROOT/cmake/toolchain-i686-w64-mingw32.cmake"
    configure_and_build win64 \
        -DCMAKE_TOOLCHAIN_FILE="$NKCFG_ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake"
}

build_native() {
    configure_and_build native -DNKCFG_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
}

# Xvfb when there is no display, on the first display number that no other
# X server holds; stopped when the calling script ends.
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local number=${NKCFG_XVFB_DISPLAY:-97}
    while [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; do
        number=$((number + 1))
    done
    export DISPLAY=:$number
    log "starting Xvfb on $DISPLAY"
    Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
    NKCFG_XVFB_PID=$!
    trap stop_services EXIT
    for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
    log "Xvfb did not start on $DISPLAY"
    return 1
}

# The project's Wine prefix, created once, and a wineserver kept alive for
# the run so that each Windows program starts in milliseconds.
start_wine() {
    . "$NKCFG_ROOT/scripts/wine-env.sh"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        log "creating the Wine prefix $WINEPREFIX"
        # Without a display, so that no desktop process keeps the server up.
        env -u DISPLAY "$WINE" wineboot -i >/dev/null 2>&1 || true
        "$NKCFG_WINESERVER" -w
    fi
    "$NKCFG_WINESERVER" -p >/dev/null 2>&1 </dev/null &
    trap stop_services EXIT
    # Wine's background services start with the first program and inherit
    # its output; start them here, away from any test runner's pipes.
    "$WINE" wineboot >/dev/null 2>&1 </dev/null || true
    configure_prefix
}

# Without a window manager (Xvfb) Wine draws the caption itself; the
# Japanese fonts the dialog asks for are mapped to the IPA fonts.
configure_prefix() {
    local marker=$WINEPREFIX/.nkcfg-configured
    [ -f "$marker" ] && return
    log "configuring the Wine prefix: own window decorations, IPA fonts"
    local reg=(env -u DISPLAY "$WINE" reg add)
    "${reg[@]}" 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    local key='HKCU\Software\Wine\Fonts\Replacements'
    "${reg[@]}" "$key" /v 'ＭＳ Ｐゴシック' /d IPAPGothic /f >/dev/null 2>&1
    "${reg[@]}" "$key" /v 'MS PGothic' /d IPAPGothic /f >/dev/null 2>&1
    "${reg[@]}" "$key" /v 'ＭＳ ゴシック' /d IPAGothic /f >/dev/null 2>&1
    "${reg[@]}" "$key" /v 'MS Gothic' /d IPAGothic /f >/dev/null 2>&1
    "${reg[@]}" "$key" /v 'MS UI Gothic' /d IPAPGothic /f >/dev/null 2>&1
    touch "$marker"
}

# The Windows form of a Unix path: Wine maps / to drive Z:.
winepath_of() {
    printf 'Z:%s' "${1//\//\\}"
}

stop_services() {
    if [ -n "${NKCFG_WINESERVER:-}" ]; then "$NKCFG_WINESERVER" -k >/dev/null 2>&1 || true; fi
    if [ -n "${NKCFG_XVFB_PID:-}" ]; then kill "$NKCFG_XVFB_PID" 2>/dev/null || true; fi
}
