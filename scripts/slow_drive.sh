#!/bin/bash
# slow_drive.sh [OUT_DIR]: builds the slow-drive library (tests/slow_drive/slow_drive.c) for the
# host, 64-bit and 32-bit, into OUT_DIR (build/slow_drive), and prints the LD_PRELOAD value that
# names both (the loader takes the one of the process's word size and skips the other).
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p "${1:-build/slow_drive}"
out=$(cd "${1:-build/slow_drive}" && pwd)
src=tests/slow_drive/slow_drive.c
for bits in 64 32; do
    lib=$out/slow_drive$bits.so
    if [[ ! -f $lib || $src -nt $lib ]]; then
        gcc -m$bits -shared -fPIC -O2 -o "$lib" "$src" -ldl
    fi
done
echo "$out/slow_drive64.so $out/slow_drive32.so"
