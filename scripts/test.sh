#!/bin/bash
# Builds the shipped 32-bit tool, the 32-bit Windows test programs and the
# native build, then runs every test: native ones under ASan+UBSan with
# bounded fuzzing, and the Windows ones under Wine 10 (WoW64) in the chroot,
# driving the shipped nkcfg.exe.
. "$(dirname "$0")/common.sh"

install_packages
ensure_chroot
build_windows
build_native

jobs=$(nproc)
status=0
log "tests of the native build"
ctest --test-dir "$NKCFG_BUILD/native" --output-on-failure -j "$jobs" || status=1
log "Windows tests of the shipped build, under Wine"
"$NKCFG_ROOT/scripts/wine-session" test \
    ctest --test-dir "$NKCFG_BUILD/wintest" --output-on-failure -j "$jobs" || status=1
exit $status
