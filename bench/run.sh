#!/bin/bash
# Measures the shipped tool: its size beside its resources, and (under Wine,
# with the 64-bit build) its start-up time and peak memory against bare
# programs that show the same dialog and do nothing else.  Prints tables;
# asserts nothing.
#
#   bench/run.sh [rounds]      (default 21)
. "$(dirname "$0")/../scripts/common.sh"
rounds=${1:-21}

install_packages
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

start_display
start_wine
folder=$(mktemp -d /tmp/nkcfg-bench.XXXXXX)
trap 'rm -rf "$folder"; stop_services' EXIT
cp "$NKCFG_BUILD/win64/nkcfg.exe" "$NKCFG_BUILD/win64/bench/bare_dialog.exe" \
   "$NKCFG_BUILD/win64/bench/bare_dialog_plain.exe" "$folder/"
"$WINE" "$NKCFG_BUILD/win64/bench/startup_bench.exe" "$rounds" "$(winepath_of "$folder")" \
    "$(winepath_of "$folder/nkcfg.exe")" "$(winepath_of "$folder/bare_dialog.exe")" \
    "$(winepath_of "$folder/bare_dialog_plain.exe")"
