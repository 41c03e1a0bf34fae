#!/bin/bash
# Builds the tool and runs it under wine64.  With no display it runs under
# Xvfb, saves a screenshot of the dialog (build/nkcfg-dialog.png) and
# closes it.  The tool works in its own folder: build/run/.
. "$(dirname "$0")/common.sh"

install_packages
build_windows
had_display=${DISPLAY:-}
start_display
start_wine

run_dir=$NKCFG_BUILD/run
mkdir -p "$run_dir"
cp "$NKCFG_BUILD/win64/nkcfg.exe" "$run_dir/nkcfg.exe"
log "shipped 32-bit tool: $NKCFG_BUILD/win32/nkcfg.exe"
log "running the 64-bit build: $run_dir/nkcfg.exe (settings in $run_dir/nkcfg.dat)"
if [ -n "$had_display" ]; then
    (cd "$run_dir" && "$WINE" nkcfg.exe)
else
    "$WINE" "$NKCFG_BUILD/win64/screenshot_dialog.exe" "$(winepath_of "$run_dir/nkcfg.exe")" \
        "$(winepath_of "$NKCFG_BUILD/nkcfg-dialog.bmp")"
    convert "$NKCFG_BUILD/nkcfg-dialog.bmp" -alpha off "$NKCFG_BUILD/nkcfg-dialog.png"
    log "screenshot: $NKCFG_BUILD/nkcfg-dialog.png"
fi
