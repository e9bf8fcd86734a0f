#!/bin/bash
# bench.sh [REPETITIONS] [STARTUPS] [EDITOR_ROUNDS]: time from a hot-key press to the started
# program running, next to a direct CreateProcessW (hotkey_bench.exe), then the start-up, memory,
# menu and size figures and the hotkey editor (below), under Wine in build/wine-bench on a
# private Xvfb.
# Build first: cmake --build --preset windows.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
bench=build/windows/tests/e2e/hotkey_bench.exe
[[ -f $bench ]] || { echo "bench.sh: build the windows preset first" >&2; exit 1; }

zarv_make_prefix "$ZARV_ROOT/build/wine-bench"
cleanup() {
    zarv_stop_prefix
    zarv_stop_xvfb
}
trap cleanup EXIT
zarv_start_xvfb
zarv_warm_server
wine "$bench" "${1:-50}"
# What zarv.exe costs next to a bare tray program: start-up with 200 hot keys, private memory
# after the launcher menu, the first launcher menu against a later one, the size of zarv.exe;
# the second argument is its number of repetitions. scripts/size_report.py tells where the size
# goes.
wine "${bench%/*}/startup_bench.exe" "${2:-10}"
# The hotkey editor with 1,000 rows, opened and confirmed with OK, next to a plain list view with
# the same rows; the third argument is its number of rounds.
wine "${bench%/*}/editor_bench.exe" "${3:-10}"
