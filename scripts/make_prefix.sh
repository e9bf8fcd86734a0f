#!/bin/bash
# make_prefix.sh [PATH] [--test]: creates a Wine prefix for the program (default
# build/wineprefix); --test adds the file associations of the end-to-end tests.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
zarv_make_prefix "$@"
