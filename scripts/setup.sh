#!/bin/bash
# Prepares a Debian 12 machine (as root) for building and testing: the packages, the Japanese
# locale Wine needs for code page 932. Safe to run again: it only does what is missing.
# Sourcing it gives zarv_setup_machine and the helpers of scripts/lib.sh.

ZARV_PACKAGES=(wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick fonts-ipafont-gothic
               locales g++-mingw-w64-i686 g++-mingw-w64-x86-64 cmake ninja-build clang googletest libgtest-dev
               libbenchmark-dev libclang-rt-14-dev python3 gcc-multilib)

zarv_missing_packages() {
    local p status
    for p in "${ZARV_PACKAGES[@]}"; do
        status=$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null || true)
        [[ $status == ii* ]] || echo "$p"
    done
}

zarv_setup_machine() {
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)

    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${sudo[@]}" dpkg --add-architecture i386
    fi
    local missing
    missing=$(zarv_missing_packages)
    if [[ -n $missing ]]; then
        echo "setup: installing $(echo $missing)" >&2
        "${sudo[@]}" apt-get update -q
        # shellcheck disable=SC2086
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q $missing
    fi

    # Without the generated locale Wine silently keeps code page 1252.
    if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
        echo "setup: generating ja_JP.UTF-8" >&2
        if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
            if grep -q '^# *ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
                "${sudo[@]}" sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
            else
                echo 'ja_JP.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
            fi
        fi
        "${sudo[@]}" locale-gen >/dev/null
    fi
}

# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
    set -euo pipefail
    zarv_setup_machine
fi
