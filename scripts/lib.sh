# Helpers shared by the scripts (sourced, not run): the Wine environment, Wine prefixes and a
# private Xvfb. Nothing here touches a prefix or an X server it did not create.

ZARV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Where the end-to-end tests keep their helper programs inside a prefix; the test file
# associations point at the marker there.
ZARV_E2E_BIN='C:\zarv-e2e\bin'

# Everything under Wine runs with code page 932, quiet, without Mono/Gecko prompts and without
# host menu entries. ARCH is win32 (the default: a 32-bit Windows) or win64 (a 64-bit Windows,
# which runs 32-bit programs under WOW64).
zarv_wine_env() {
    export LANG=ja_JP.UTF-8
    export LC_ALL=ja_JP.UTF-8
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEARCH=${1:-win32}
}

# Writes a .reg file as regedit wants it: UTF-16LE with a BOM and CRLF line ends.
_zarv_write_reg() {
    local out=$1
    { printf '\xff\xfe'; sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } >"$out"
}

# The settings every prefix of ours gets.
_zarv_base_reg() {
    cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
REG
}

# File associations of the test prefix: documents, URLs and folders open the marker program,
# which records what it was given.
_zarv_test_reg() {
    local cmd
    cmd=$(printf '"\\"%s\\\\marker.exe\\" \\"%%1\\""' "${ZARV_E2E_BIN//\\/\\\\}")
    cat <<REG

[HKEY_CLASSES_ROOT\\.txt]
@="zarvtest.txtfile"

[HKEY_CLASSES_ROOT\\zarvtest.txtfile\\shell\\open\\command]
@=$cmd

[-HKEY_CLASSES_ROOT\\http\\shell\\open\\ddeexec]

[HKEY_CLASSES_ROOT\\http\\shell\\open\\command]
@=$cmd

[-HKEY_CLASSES_ROOT\\https\\shell\\open\\ddeexec]

[HKEY_CLASSES_ROOT\\https\\shell\\open\\command]
@=$cmd

[-HKEY_CLASSES_ROOT\\Folder\\shell\\open\\ddeexec]

[HKEY_CLASSES_ROOT\\Folder\\shell\\open\\command]
@=$cmd
REG
}

# Wine draws the title-bar buttons (close, minimise, maximise) as letters of its "Marlett" symbol
# font. Debian's Wine does not read its own font folder, so without a copy in the prefix's Fonts
# folder (where Windows keeps it too) a fallback font shows the letters "0", "1" and "r" instead.
_zarv_install_marlett() {
    local fonts=$1/drive_c/windows/Fonts font
    [[ -f $fonts/marlett.ttf ]] && return 0
    for font in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf \
        /opt/wine*/share/wine/fonts/marlett.ttf; do
        if [[ -f $font ]]; then
            mkdir -p "$fonts" && cp "$font" "$fonts/marlett.ttf"
            return 0
        fi
    done
    echo "prefix: Wine's marlett.ttf not found; title-bar buttons show letters" >&2
}

# The screen's DPI of a prefix (Wine reads it from the user's LogPixels).
_zarv_dpi_reg() {
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$1"
}

# Drive N: of every prefix is the folder C:\zarv-slow. It answers at normal speed; a program
# started with the slow-drive library preloaded (scripts/slow_drive.sh) waits on each look-up
# under N:, as on a network drive whose server is away.
_zarv_slow_drive() {
    mkdir -p "$1/drive_c/zarv-slow"
    [[ -e $1/dosdevices/n: ]] || ln -s ../drive_c/zarv-slow "$1/dosdevices/n:"
}

# zarv_make_prefix [PATH] [--test] [--win64] [DPI]: creates a Wine prefix (default
# build/wineprefix) unless it exists, and imports our registry settings; --test adds the marker
# file associations of the end-to-end tests; --win64 makes it a 64-bit Windows (else a 32-bit
# one); DPI sets the screen's dots per inch (96 when not given).
zarv_make_prefix() {
    local prefix=${1:-$ZARV_ROOT/build/wineprefix} test='' arch=win32 dpi='' arg
    for arg in "${@:2}"; do
        case $arg in
            --test) test=--test ;;
            --win64) arch=win64 ;;
            *) dpi=$arg ;;
        esac
    done
    zarv_wine_env "$arch"
    export WINEPREFIX=$prefix
    if [[ -f $prefix/system.reg && -f $prefix/.zarv-ready$test$dpi ]]; then
        _zarv_install_marlett "$prefix"
        _zarv_slow_drive "$prefix"
        return 0
    fi
    mkdir -p "$prefix"
    echo "prefix: creating $prefix" >&2
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    local reg=$prefix/zarv-settings.reg
    {
        _zarv_base_reg
        if [[ $test == --test ]]; then _zarv_test_reg; fi
        if [[ -n $dpi ]]; then _zarv_dpi_reg "$dpi"; fi
    } | _zarv_write_reg "$reg"
    wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
    wineserver -w
    _zarv_install_marlett "$prefix"
    _zarv_slow_drive "$prefix"
    touch "$prefix/.zarv-ready$test$dpi"
}

# zarv_start_xvfb [WIDTHxHEIGHT]: starts an Xvfb (default 1024x768) on a free display; sets
# DISPLAY and ZARV_XVFB_PID.
zarv_start_xvfb() {
    local size=${1:-1024x768} fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" </dev/null >/dev/null 2>&1 &
    ZARV_XVFB_PID=$!
    local n
    read -r -t 10 n <"$fifo" || true
    rm -f "$fifo"
    if [[ -z $n ]]; then
        echo "xvfb: did not start" >&2
        kill "$ZARV_XVFB_PID" 2>/dev/null || true
        return 1
    fi
    export DISPLAY=:$n
}

# zarv_stop_xvfb: ends the Xvfb that zarv_start_xvfb started, if any.
zarv_stop_xvfb() {
    if [[ -n ${ZARV_XVFB_PID:-} ]]; then
        kill "$ZARV_XVFB_PID" 2>/dev/null || true
        wait "$ZARV_XVFB_PID" 2>/dev/null || true
        ZARV_XVFB_PID=
    fi
}

# zarv_stop_prefix: ends every Wine process of our own prefix ($WINEPREFIX).
zarv_stop_prefix() {
    [[ -n ${WINEPREFIX:-} ]] && wineserver -k 2>/dev/null || true
}

# zarv_warm_server [BUILD_DIR]: starts the prefix's wineserver for good and its system processes and desktop
# with no pipes attached. The first Wine program otherwise starts services.exe and explorer.exe
# with its own stdout and stderr, and CTest waits for those to close after every test. The
# desktop would also end a second after each test's last program: desktop_holder.exe (built with
# the tests) keeps it until the prefix is shut down.
zarv_warm_server() {
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    local holder=${1:-$ZARV_ROOT/build/windows}/tests/e2e/desktop_holder.exe
    local ready=$WINEPREFIX/drive_c/desktop-holder.ready
    [[ -f $holder ]] || return 0
    rm -f "$ready"
    wine "$holder" 'C:\desktop-holder.ready' </dev/null >/dev/null 2>&1 &
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -f $ready ]] && return 0
        sleep 0.1
    done
    echo "warm-up: the desktop did not come up" >&2
    return 1
}

# zarv_find_exe [PRESET]: the built zarv.exe of the windows preset (or of PRESET).
zarv_find_exe() {
    find "$ZARV_ROOT/build/${1:-windows}" -name zarv.exe -not -path '*/wine*' -print -quit 2>/dev/null
}
