#!/bin/bash
# bench.sh [REPETITIONS] [STARTUPS] [EDITOR_ROUNDS]: time from a hot-key press to the started
# program running, next to a direct CreateProcessW (hotkey_bench.exe), then the start-up, memory,
# menu and size figures and the hotkey editor (below), under Wine in build/wine-bench on a
# private Xvfb. The 32-bit build (the windows preset) in a 32-bit Windows; with
# ZARV_PRESET=windows64 the 64-bit build in a 64-bit Windows (build/wine-bench64), each next to
# bare programs of its own build.
# Build first: cmake --build --preset windows (or windows64).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
preset=${ZARV_PRESET:-windows}
bench=build/$preset/tests/e2e/hotkey_bench.exe
[[ -f $bench ]] || { echo "bench.sh: build the $preset preset first" >&2; exit 1; }

if [[ $preset == windows64 ]]; then
    zarv_make_prefix "$ZARV_ROOT/build/wine-bench64" --win64
else
    zarv_make_prefix "$ZARV_ROOT/build/wine-bench"
fi
cleanup() {
    zarv_stop_prefix
    zarv_stop_xvfb
}
trap cleanup EXIT
zarv_start_xvfb
zarv_warm_server "build/$preset"
wine "$bench" "${1:-50}"
# What zarv.exe costs next to a bare tray program: start-up with 200 hot keys, private memory
# after the launcher menu, the first launcher menu against a later one, the size of zarv.exe;
# the second argument is its number of repetitions. scripts/size_report.py tells where the size
# goes. With the slow-drive library every look-up of zarv.exe under drive N: waits 3 s (as on a
# network drive whose server is away): the start-up, a key and the menu with three entries there.
slow_drive=$(scripts/slow_drive.sh build/slow_drive)
LD_PRELOAD=$slow_drive ZARV_SLOW_MS=3000 ZARV_SLOW_ONLY=zarv.exe \
    wine "${bench%/*}/startup_bench.exe" "${2:-10}" 2> >(grep -v 'ld.so' >&2)
# The Start menu's programs: reading 2,000 shortcuts against a bare listing, a keystroke's
# suggestions, private memory with and without them; the third argument is its number of rounds.
wine "${bench%/*}/programs_bench.exe" "${3:-10}"
# The hotkey editor with 1,000 rows, opened and confirmed with OK, next to a plain list view with
# the same rows; the third argument is its number of rounds.
wine "${bench%/*}/editor_bench.exe" "${3:-10}"
