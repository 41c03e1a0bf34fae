#!/bin/bash
# Two clean builds of the shipped 32-bit nkcfg.exe from the same sources, in
# two different folders, must give byte-identical executables: no time
# stamps, no build paths.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/nkcfg-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT

for name in first second-folder; do
    cmake -S "$root" -B "$work/$name/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNKCFG_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
    cmake --build "$work/$name/build" --target nkcfg >/dev/null
done
a=$work/first/build/nkcfg.exe
b=$work/second-folder/build/nkcfg.exe
if cmp "$a" "$b"; then
    echo "reproducible: $(stat -c %s "$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16)"
else
    echo "the two builds differ" >&2
    exit 1
fi
