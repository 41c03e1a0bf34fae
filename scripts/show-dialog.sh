#!/bin/bash
# Inside a Wine session: shows the tool in FOLDER on the session's display,
# or, when that display is a private Xvfb, screenshots the dialog to
# build/nkcfg-dialog.png and closes it.
#
#   show-dialog.sh FOLDER
. "$(dirname "$0")/common.sh"
run_dir=$1
if [ "${NKCFG_DISPLAY_KIND:-xvfb}" = caller ]; then
    cd "$run_dir" && exec "$NKCFG_ROOT/scripts/wine-run" nkcfg.exe
fi
bmp=$NKCFG_BUILD/nkcfg-dialog.bmp
"$NKCFG_ROOT/scripts/wine-run" "$NKCFG_BUILD/wintest/screenshot_dialog.exe" \
    "$(winepath_of "$run_dir/nkcfg.exe")" "$(winepath_of "$bmp")"
python3 "$NKCFG_ROOT/tools/bmp_to_png.py" "$bmp" "$NKCFG_BUILD/nkcfg-dialog.png"
log "screenshot: $NKCFG_BUILD/nkcfg-dialog.png"
