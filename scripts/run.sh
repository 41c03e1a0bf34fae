#!/bin/bash
# Builds the tool and runs it under Wine 10 in the chroot, in its own folder
# build/run/: the shipped 32-bit nkcfg.exe where this kernel runs 32-bit
# code, else its 64-bit twin (see driven_exe).  With a working display the dialog
# stays open for you; without one it runs under a private Xvfb, saves a
# screenshot of the dialog (build/nkcfg-dialog.png) and closes it.
. "$(dirname "$0")/common.sh"

install_packages
ensure_chroot
build_windows

run_dir=$NKCFG_BUILD/run
mkdir -p "$run_dir"
cp "$(driven_exe)" "$run_dir/nkcfg.exe"
log "running $(driven_exe) as $run_dir/nkcfg.exe (settings in $run_dir/nkcfg.dat)"
exec "$NKCFG_ROOT/scripts/wine-session" --display run "$NKCFG_ROOT/scripts/show-dialog.sh" "$run_dir"
