#!/bin/bash
# run.sh [ARGS...]: README command 1. Sets the machine up, builds the 64-bit zarv.exe (the
# windows64 preset) and runs it under Wine, in a 64-bit Windows as nearly every user has, on a
# virtual desktop with a taskbar, so that its notification-area icon shows. Uses $DISPLAY when
# set, otherwise an Xvfb of its own. The program lives in C:\zarv of build/wineprefix64, with its
# data files next to it; ARGS go to zarv.exe (for example /DEBUG).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zarv_setup_machine

cmake --preset windows64 >/dev/null
nice cmake --build --preset windows64 --parallel 2 --target zarv
exe=$(zarv_find_exe windows64)
[[ -n $exe ]] || { echo "run.sh: zarv.exe was not built" >&2; exit 1; }

zarv_make_prefix "$ZARV_ROOT/build/wineprefix64" --win64
app=$WINEPREFIX/drive_c/zarv
mkdir -p "$app"
cp "$exe" "$app/zarv.exe"

cleanup() {
    zarv_stop_prefix
    zarv_stop_xvfb
}
trap cleanup EXIT
trap 'exit 130' INT TERM
if [[ -z ${DISPLAY:-} ]]; then
    zarv_start_xvfb
    echo "run.sh: no DISPLAY; zarv runs on Xvfb display $DISPLAY"
    echo "        (look: import -display $DISPLAY -window root shot.png)"
else
    echo "run.sh: zarv runs on display $DISPLAY"
fi

cd "$app"
wine explorer /desktop=ZARV,1024x768 'C:\zarv\zarv.exe' "$@" </dev/null
# explorer returns at once; the desktop lasts until zarv.exe ends (its tray menu's exit).
wineserver -w
