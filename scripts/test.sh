#!/bin/bash
# test.sh: README command 2 and what CI runs. Sets the machine up, builds and tests the native
# preset (core unit tests), builds the windows (32-bit) and windows64 presets, makes the two
# release zips, then runs each build's tests under Wine in fresh prefixes of its own Windows
# (32-bit, 64-bit with the 32-bit build's WOW64 cases) on private Xvfbs, the two side by side:
# every case, the release zip's check, the DPI cases again at 120, 144 and 192 dpi. Exits
# non-zero when a build fails, a test or a check of a zip fails, or no test ran.
set -uo pipefail
cd "$(dirname "$0")/.."
# The tests run the zarv.exe of each build; a ZARV_EXE left in the environment (the benchmarks'
# way to run another build) would quietly test that one instead.
unset ZARV_EXE
source scripts/setup.sh
zarv_setup_machine || exit 1

started=$SECONDS
status=0
fail() {
    echo "test.sh: $*" >&2
    status=1
}
section() { echo "==== $* ($((SECONDS - started)) s)"; }

# The end-to-end suite of one build in a fresh prefix on an Xvfb of its own: every case at 96 dpi,
# the build's release zip, and the cases that lay windows out for the screen's DPI again at 125,
# 150 and 200 %, each in its own prefix on a screen as much larger (the editors at 200 % are wider
# than 1024 pixels). The 64-bit build runs in 64-bit prefixes, followed there by the 32-bit
# build's WOW64 cases (Wow64.*), which skip in a 32-bit prefix. Runs in a subshell of its own, so
# that the two builds' suites can run side by side; exits non-zero when anything failed.
#   run_suite PRESET ARCH ZIP
run_suite() (
    local preset=$1 arch=$2 zip=$3 status=0 prefix dpi archflag=()
    [[ $arch == win64 ]] && archflag=(--win64)
    fail() {
        echo "test.sh: $*" >&2
        status=1
    }
    cleanup() {
        zarv_stop_prefix
        zarv_stop_xvfb
    }
    trap cleanup EXIT
    # wine_ctest PRESET [REGEX]: the preset's cases (those REGEX matches); when a case failed
    # because of Wine itself, the failed cases run once more, by name (the other build's suite may
    # share the build folder's record of failures). Wine fails so in three ways, each rarely: it
    # aborts in glibc's malloc (once in a dozen fresh prefixes, on the first window); it deadlocks
    # a program in malloc when the probe's thread is made there (the harness says so); or it loses
    # a new process before it runs (ERROR_INTERNAL_ERROR): for the test program itself, Wine then
    # hands it to start.exe, whose ShellExecuteEx fails too and no line of the test's own is
    # printed. Otherwise a failure stands as it is.
    wine_ctest() {
        local out rc failed
        out=$(mktemp)
        ctest --preset "$1" -R "${2:-.}" --no-tests=error 2>&1 | tee "$out"
        rc=${PIPESTATUS[0]}
        if [[ $rc != 0 ]] && grep -qE 'Fatal glibc error: malloc|Wine deadlocked|ShellExecuteEx' "$out"; then
            failed=$(sed -n '/(Disabled)/d; s/^[[:space:]]*[0-9]* - \([^ ]*\) (.*/\1/p' "$out" | paste -sd '|')
            echo "test.sh: Wine failed under a case: once more $failed"
            ctest --preset "$1" -R "^($failed)\$" --no-tests=error
            rc=$?
        fi
        rm -f "$out"
        return "$rc"
    }
    prefix=$ZARV_ROOT/build/wine-test-$arch
    rm -rf "$prefix"
    if ! zarv_make_prefix "$prefix" --test "${archflag[@]}" || ! zarv_start_xvfb; then
        echo "test.sh: no Wine prefix or no Xvfb ($arch)" >&2
        exit 1
    fi
    echo "Xvfb on $DISPLAY, prefix $WINEPREFIX"
    zarv_warm_server "build/$preset"
    section "$preset: tests under Wine ($arch)"
    wine_ctest "$preset" || fail "$preset: tests under Wine failed"
    if [[ $arch == win64 ]]; then
        section "windows: the 32-bit build's WOW64 cases ($arch)"
        wine_ctest windows '^Wow64\.' ||
            fail "windows: the WOW64 cases failed in a 64-bit prefix"
    fi
    section "$preset: the release zip ($arch)"
    check_package "$preset" "$zip" || fail "$preset: the release zip failed its checks"
    for dpi in 120 144 192; do
        zarv_stop_prefix
        zarv_stop_xvfb
        prefix=$ZARV_ROOT/build/wine-test-$arch-$dpi
        rm -rf "$prefix"
        if zarv_start_xvfb "$((1024 * dpi / 96))x$((768 * dpi / 96))" &&
            zarv_make_prefix "$prefix" --test "${archflag[@]}" "$dpi"; then
            zarv_warm_server "build/$preset"
            section "$preset: tests at $dpi dpi ($arch)"
            # A case that fails is run once more (and shows in the log): once in a dozen fresh
            # prefixes a Wine process aborted in glibc's malloc on the first window.
            ctest --preset "$preset" -L dpi --no-tests=error --repeat until-pass:2 ||
                fail "$preset: tests at $dpi dpi failed"
        else
            fail "$preset: no Wine prefix at $dpi dpi"
        fi
    done
    exit $status
)

# A release zip: exactly zarv.exe and README.txt, zarv.exe of the version the zip is named by and
# of the build's processor, and that zarv.exe, alone in a folder, reaching its resident state
# under Wine and writing nothing there on the way in and out.
#   check_package PRESET ZIP
check_package() {
    local preset=$1 zip=$2 version app left
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
    python3 scripts/package.py check "$zip" "$version" || return 1
    app=$WINEPREFIX/drive_c/zarv-package
    rm -rf "$app"
    python3 -m zipfile -e "$zip" "$app" || return 1
    wine "build/$preset/tests/e2e/start_check.exe" 'C:\zarv-package\zarv.exe' </dev/null || return 1
    left=$(cd "$app" && ls -A | tr '\n' ' ')
    if [[ $left != "README.txt zarv.exe " ]]; then
        echo "package: the folder holds $left after a start and an exit" >&2
        return 1
    fi
}

section "native: configure and build"
if cmake --preset native >/dev/null && nice cmake --build --preset native --parallel 2; then
    section "native: tests"
    ctest --preset native --no-tests=error || fail "native tests failed"
else
    fail "native build failed"
fi

built=()
for preset in windows windows64; do
    section "$preset: configure and build"
    if cmake --preset "$preset" >/dev/null && nice cmake --build --preset "$preset" --parallel 2
    then
        built+=("$preset")
    else
        fail "$preset build failed"
    fi
done

if [[ ${#built[@]} == 2 ]]; then
    section "package: the two release zips"
    zips=$(scripts/package.sh)
    zip64=$(grep -- '-win64\.zip$' <<<"$zips")
    zip32=$(grep -- '-win32\.zip$' <<<"$zips")
    if [[ -f $zip64 && -f $zip32 ]]; then
        # The two suites run side by side, each in prefixes and on an Xvfb of its own; their
        # logs follow one another when both have ended.
        logs=$ZARV_ROOT/build/test-logs
        mkdir -p "$logs"
        run_suite windows64 win64 "$zip64" >"$logs/win64.log" 2>&1 &
        pid64=$!
        run_suite windows win32 "$zip32" >"$logs/win32.log" 2>&1 &
        pid32=$!
        wait "$pid64" || fail "the 64-bit suite failed (build/test-logs/win64.log)"
        wait "$pid32" || fail "the 32-bit suite failed (build/test-logs/win32.log)"
        cat "$logs/win64.log" "$logs/win32.log"
    else
        fail "scripts/package.sh made no two zips"
    fi
fi

section "done: $([[ $status == 0 ]] && echo passed || echo FAILED)"
exit $status
