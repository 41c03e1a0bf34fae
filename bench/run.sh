#!/bin/bash
# Measures the shipped tool: its size beside its resources, and, under Wine
# 10 in the chroot, its start-up time and peak memory against bare programs
# of the same bitness that show the same dialog and do nothing else.  The
# tool timed is the shipped 32-bit exe, or its 64-bit twin on a machine
# whose kernel cannot execute 32-bit code (the script says which).  Prints
# tables; asserts nothing.
#
#   bench/run.sh [rounds]      (default 21)
. "$(dirname "$0")/../scripts/common.sh"
rounds=${1:-21}

install_packages
ensure_chroot
build_windows

exe=$NKCFG_BUILD/win32/nkcfg.exe
total=$(stat -c %s "$exe")
# Raw size of the .rsrc section: the icon, dialog, version block, manifest.
rsrc_hex=$(i686-w64-mingw32-objdump -h "$exe" | awk '$2 == ".rsrc" { print $3 }')
rsrc=$((16#$rsrc_hex))
code=$((total - rsrc))
echo
echo "| shipped nkcfg.exe (32-bit) | bytes |"
echo "|---|---|"
echo "| whole file | $total |"
echo "| resources (.rsrc: icon 285,408, dialog, version, manifest) | $rsrc |"
echo "| code and data beyond the resources (goal <= 32,768) | $code |"
awk -v code="$code" 'BEGIN { printf "| ratio beyond resources / goal | %.3f |\n", code / 32768 }'
echo

driven=$(driven_exe)
baselines=$(dirname "$driven")/bench
log "timing $driven against $baselines/bare_dialog*.exe"
folder=$(mktemp -d "$NKCFG_BUILD/bench.XXXXXX")
trap 'rm -rf "$folder"' EXIT
cp "$driven" "$baselines/bare_dialog.exe" "$baselines/bare_dialog_plain.exe" "$folder/"
"$NKCFG_ROOT/scripts/wine-session" bench "$NKCFG_ROOT/scripts/wine-run" \
    "$NKCFG_BUILD/wintest/startup_bench.exe" "$rounds" "$(winepath_of "$folder")" \
    "$(winepath_of "$folder/nkcfg.exe")" "$(winepath_of "$folder/bare_dialog.exe")" \
    "$(winepath_of "$folder/bare_dialog_plain.exe")"
