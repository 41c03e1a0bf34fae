#!/bin/bash
# Builds the shipped 32-bit tool, the Windows test programs and the native
# build, then runs every test: native ones under ASan+UBSan with bounded
# fuzzing, and the Windows ones under Wine 10 in the chroot, driving the
# shipped nkcfg.exe where this kernel runs 32-bit code (see driven_exe).
. "$(dirname "$0")/common.sh"

install_packages
ensure_chroot
build_windows
build_native

# The native tests (mostly bounded fuzzing, CPU-bound) run beside the Wine
# tests (mostly waiting on windows); their report follows the Wine one.
jobs=$(nproc)
status=0
native_log=$NKCFG_BUILD/native-tests.log
ctest --test-dir "$NKCFG_BUILD/native" --output-on-failure -j "$jobs" >"$native_log" 2>&1 &
native=$!
log "Windows tests under Wine, driving $(driven_exe)"
"$NKCFG_ROOT/scripts/wine-session" test \
    ctest --test-dir "$NKCFG_BUILD/wintest" --output-on-failure -j "$jobs" || status=1
wait $native || status=1
log "tests of the native build"
cat "$native_log"
exit $status
