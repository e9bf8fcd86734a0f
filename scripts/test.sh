#!/bin/bash
# test.sh: README command 2 and what CI runs. Sets the machine up, builds and tests the native
# preset (core unit tests), builds the windows preset and runs its tests under Wine in a fresh
# prefix on a private Xvfb, and the DPI cases again in prefixes at 120, 144 and 192 dpi. Exits non-zero when a build fails, a test fails or no test ran.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zarv_setup_machine || exit 1

started=$SECONDS
status=0
fail() {
    echo "test.sh: $*" >&2
    status=1
}
section() { echo "==== $* ($((SECONDS - started)) s)"; }

section "native: configure and build"
if cmake --preset native >/dev/null && nice cmake --build --preset native --parallel 2; then
    section "native: tests"
    ctest --preset native --no-tests=error || fail "native tests failed"
else
    fail "native build failed"
fi

section "windows: configure and build"
if cmake --preset windows >/dev/null && nice cmake --build --preset windows --parallel 2; then
    section "windows: fresh Wine prefix"
    prefix=$ZARV_ROOT/build/wine-test
    rm -rf "$prefix"
    cleanup() {
        zarv_stop_prefix
        zarv_stop_xvfb
    }
    trap cleanup EXIT
    if zarv_make_prefix "$prefix" --test && zarv_start_xvfb; then
        echo "Xvfb on $DISPLAY, prefix $WINEPREFIX"
        zarv_warm_server
        section "windows: tests under Wine"
        ctest --preset windows --no-tests=error || fail "tests under Wine failed"
        # The cases that lay windows out for the screen's DPI, again at 125, 150 and 200 %, on a
        # screen as much larger (the editors at 200 % are wider than 1024 pixels).
        for dpi in 120 144 192; do
            zarv_stop_prefix
            zarv_stop_xvfb
            prefix=$ZARV_ROOT/build/wine-test-$dpi
            rm -rf "$prefix"
            if zarv_start_xvfb "$((1024 * dpi / 96))x$((768 * dpi / 96))" &&
                zarv_make_prefix "$prefix" --test "$dpi"; then
                zarv_warm_server
                section "windows: tests at $dpi dpi"
                ctest --preset windows -L dpi --no-tests=error || fail "tests at $dpi dpi failed"
            else
                fail "no Wine prefix at $dpi dpi"
            fi
        done
    else
        fail "no Wine prefix or no Xvfb"
    fi
    cleanup
    trap - EXIT
else
    fail "windows build failed"
fi

section "done: $([[ $status == 0 ]] && echo passed || echo FAILED)"
exit $status
