#!/bin/bash
# Builds the three builds (32-bit and 64-bit Windows, native Linux) and runs
# every test: native ones under ASan+UBSan, bounded fuzzing, and the Windows
# ones under wine64.
. "$(dirname "$0")/common.sh"

install_packages
build_windows
build_native
start_display
start_wine

status=0
for build in native win64; do
    log "tests of the $build build"
    ctest --test-dir "$NKCFG_BUILD/$build" --output-on-failure || status=1
done
exit $status
