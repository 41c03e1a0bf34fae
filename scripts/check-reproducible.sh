#!/bin/bash
# Two clean builds of the shipped 32-bit nkcfg.exe from copies of the same
# sources in two different folders, each built in a folder of its own, must
# give byte-identical executables: no time stamps, no source or build paths.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/nkcfg-repro.XXXXXX)
trap 'rm -rf "$work"' EXIT

for name in first-sources other/second-sources; do
    mkdir -p "$work/$name"
    tar -C "$root" --exclude=./build --exclude=./.git --exclude='./build-*' -cf - . | tar -C "$work/$name" -xf -
    cmake -S "$work/$name" -B "$work/$name-build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNKCFG_TESTS=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$work/$name/cmake/toolchain-i686-w64-mingw32.cmake" >/dev/null
    cmake --build "$work/$name-build" --target nkcfg >/dev/null
done
a=$work/first-sources-build/nkcfg.exe
b=$work/other/second-sources-build/nkcfg.exe
if cmp "$a" "$b"; then
    echo "reproducible: $(stat -c %s "$a") bytes, sha256 $(sha256sum "$a" | cut -c1-16)"
else
    echo "the two builds differ" >&2
    exit 1
fi
