#!/bin/bash
# screenshots.sh [DPI...]: takes the README's pictures of the command bar, the hotkey editor, its
# entry dialog and the key picker at each DPI (default 144) and writes them to docs/, or to
# $ZARV_SHOTS_OUT (name.png at 96 dpi, name-150.png at 144 and so on). The pictures at 96 dpi in
# docs/ were taken by hand (the command bar's on a desktop with a taskbar). The end-to-end driver opens the windows
# (the disabled DocsScreenshots cases) and asks for each picture by a file in build/shots; this
# script takes it from the Xvfb screen. Build the windows preset first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/lib.sh
driver=build/windows/tests/e2e/e2e_tests.exe
[[ -f $driver ]] || { echo "screenshots.sh: build the windows preset first" >&2; exit 1; }
dpis=("$@")
[[ ${#dpis[@]} -gt 0 ]] || dpis=(144)
out=${ZARV_SHOTS_OUT:-docs}
mkdir -p "$out"

shots=$ZARV_ROOT/build/shots
cleanup() {
    zarv_stop_prefix
    zarv_stop_xvfb
}
trap cleanup EXIT
for dpi in "${dpis[@]}"; do
    zarv_start_xvfb "$((1024 * dpi / 96))x$((768 * dpi / 96))"
    suffix=""
    [[ $dpi == 96 ]] || suffix="-$((dpi * 100 / 96))"
    rm -rf "$shots"
    mkdir -p "$shots"
    zarv_make_prefix "$ZARV_ROOT/build/wine-shots-$dpi" --test "$dpi"
    zarv_warm_server
    ZARV_SHOT_DIR=$shots wine "$driver" --gtest_also_run_disabled_tests \
        --gtest_filter='DISABLED_DocsScreenshots.*' </dev/null &
    driver_pid=$!
    # Each request is name.rect ("left top right bottom" on the screen); name.done answers it.
    while kill -0 "$driver_pid" 2>/dev/null; do
        for request in "$shots"/*.rect; do
            [[ -f $request ]] || continue
            name=$(basename "$request" .rect)
            read -r left top right bottom <"$request"
            import -display "$DISPLAY" -window root \
                -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
                "$out/$name$suffix.png"
            echo "$out/$name$suffix.png"
            rm -f "$request"
            touch "$shots/$name.done"
        done
        sleep 0.2
    done
    wait "$driver_pid" || echo "screenshots.sh: the driver failed at $dpi dpi" >&2
    zarv_stop_prefix
    zarv_stop_xvfb
done
