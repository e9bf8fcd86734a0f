#!/bin/bash
# make_prefix.sh [PATH] [--test] [--win64] [DPI]: creates a Wine prefix for the program (default
# build/wineprefix); --test adds the file associations of the end-to-end tests, --win64 makes it
# a 64-bit Windows, DPI sets the screen's dots per inch.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
zarv_make_prefix "$@"
