# Shared steps of the README commands: install what is missing, build, and
# run Windows programs in the Wine chroot.  Sourced, never run.
set -euo pipefail

NKCFG_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
NKCFG_BUILD=${NKCFG_BUILD:-$NKCFG_ROOT/build}
export NKCFG_ROOT NKCFG_BUILD

# The host builds; Wine runs in the chroot (scripts/wine-chroot.sh).
NKCFG_PACKAGES=(
    cmake ninja-build python3 debootstrap
    g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-posix
    binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    googletest clang libclang-rt-14-dev
)

log() { printf '== %s\n' "$*" >&2; }

. "$NKCFG_ROOT/scripts/wine-chroot.sh"

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
}

# Configures when the build is new, or when its options or its toolchain
# file changed since the last configure (then from a fresh cache, because
# CMake never changes a compiler in place); then builds.
configure_and_build() {  # name, then cmake options
    local name=$1; shift
    local dir=$NKCFG_BUILD/$name
    local toolchain= option
    for option in "$@"; do
        case $option in -DCMAKE_TOOLCHAIN_FILE=*) toolchain=${option#*=} ;; esac
    done
    local stamp
    stamp=$(printf '%s\n' "$@"; [ -z "$toolchain" ] || sha256sum "$toolchain")
    if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/.nkcfg-configure" 2>/dev/null)" != "$stamp" ]; then
        cmake --fresh -S "$NKCFG_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
        printf '%s\n' "$stamp" >"$dir/.nkcfg-configure"
    fi
    cmake --build "$dir"
}

# 0 when this machine's kernel executes 32-bit code in a 64-bit process, as
# Wine needs to run the shipped 32-bit nkcfg.exe (tools/runs_32bit_code.c).
machine_runs_32bit_code() {
    local probe=$NKCFG_BUILD/runs_32bit_code
    mkdir -p "$NKCFG_BUILD"
    if [ ! -x "$probe" ] || [ "$NKCFG_ROOT/tools/runs_32bit_code.c" -nt "$probe" ]; then
        clang -O2 -Wall -Wextra -Werror "$NKCFG_ROOT/tools/runs_32bit_code.c" -o "$probe"
    fi
    "$probe" >&2
}

# The Windows executable that runs here: the shipped 32-bit one, or, where
# the kernel cannot execute 32-bit code, its 64-bit twin from build/wintest.
driven_exe() {
    if [ "$NKCFG_DRIVE_SHIPPED" = ON ]; then
        echo "$NKCFG_BUILD/win32/nkcfg.exe"
    else
        echo "$NKCFG_BUILD/wintest/nkcfg.exe"
    fi
}

# The shipped tool, then the Windows test programs that drive it.
build_windows() {
    NKCFG_DRIVE_SHIPPED=ON
    if ! machine_runs_32bit_code; then
        NKCFG_DRIVE_SHIPPED=OFF
        log "this kernel cannot execute 32-bit code: the behaviour tests and the run drive the 64-bit twin; the shipped 32-bit file is checked as data"
    fi
    export NKCFG_DRIVE_SHIPPED
    configure_and_build win32 -DNKCFG_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$NKCFG_ROOT/cmake/toolchain-i686-w64-mingw32.cmake"
    configure_and_build wintest -DNKCFG_TESTS=ON -DNKCFG_SHIPPED_EXE="$NKCFG_BUILD/win32/nkcfg.exe" \
        -DNKCFG_DRIVE_SHIPPED=$NKCFG_DRIVE_SHIPPED \
        -DCMAKE_TOOLCHAIN_FILE="$NKCFG_ROOT/cmake/toolchain-x86_64-w64-mingw32.cmake"
}

build_native() {
    configure_and_build native -DNKCFG_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
}

# Wine's own binaries inside the chroot: the loader runs 32-bit and 64-bit
# programs alike (WoW64).
NKCFG_CHROOT_WINE=/usr/lib/x86_64-linux-gnu/wine/wine
NKCFG_CHROOT_WINESERVER=/usr/lib/x86_64-linux-gnu/wine/wineserver

# Runs a command inside the chroot, in the caller's folder (the project's
# folders are mounted at the same paths), with only the environment Wine
# needs: nothing inherited from the caller's shell reaches it.
in_chroot() {
    (in_chroot_exec "$@")
}

in_chroot_exec() {
    local dir=$PWD
    [ -d "$NKCFG_CHROOT$dir" ] || dir=/
    local lang=${NKCFG_LANG:-ja_JP.UTF-8}
    exec chroot "$NKCFG_CHROOT" /usr/bin/env -i -C "$dir" \
        PATH=/usr/bin:/bin HOME=/root USER=root LANG="$lang" LC_ALL="$lang" \
        DISPLAY="${DISPLAY:-}" XAUTHORITY="${XAUTHORITY:-}" \
        WINEPREFIX="${WINEPREFIX:?}" WINEDEBUG="${WINEDEBUG:--all}" \
        WINEDLLOVERRIDES='mscoree,mshtml=' "$@"
}

# The Windows form of a path: Wine maps / to drive Z:.
winepath_of() {
    printf 'Z:%s' "${1//\//\\}"
}
