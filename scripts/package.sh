#!/bin/bash
# package.sh: README command 3. Builds zarv.exe alone with the windows preset as it stands
# (MinSizeRel, no tests) and writes dist/zarv-<version>-win32.zip with zarv.exe and README.txt
# (docs/README.txt); prints the zip's path, the only line on stdout. The version is the CMake
# project version. The same commit gives the same zip byte for byte, wherever it is built: the
# files in it are dated by the commit (or by SOURCE_DATE_EPOCH when it is set) and the build
# embeds no date and no path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zarv_setup_machine >&2

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

{
    cmake --preset windows >/dev/null
    nice cmake --build --preset windows --parallel 2 --target zarv
} >&2
build=$ZARV_ROOT/build/windows
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[[ -n $version ]] || { echo "package.sh: no project version in $build" >&2; exit 1; }

zip=$ZARV_ROOT/dist/zarv-$version-win32.zip
python3 scripts/package.py make "$zip" "$build/zarv.exe" docs/README.txt
echo "$zip"
