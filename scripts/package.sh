#!/bin/bash
# package.sh: the release. Builds zarv.exe alone with the windows64 and windows presets as they
# stand (MinSizeRel, no tests) and writes dist/zarv-<version>-win64.zip (for 64-bit Windows) and
# dist/zarv-<version>-win32.zip (for 32-bit Windows), each with zarv.exe and README.txt
# (docs/README.txt); prints the two zips' paths, the only lines on stdout. The version is the
# CMake project version. The same commit gives the same zips byte for byte, wherever they are
# built: the files in them are dated by the commit (or by SOURCE_DATE_EPOCH when it is set) and
# the build embeds no date and no path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
zarv_setup_machine >&2

if [[ -z ${SOURCE_DATE_EPOCH:-} ]]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

for preset in windows64 windows; do
    {
        cmake --preset "$preset" >/dev/null
        nice cmake --build --preset "$preset" --parallel 2 --target zarv
    } >&2
    build=$ZARV_ROOT/build/$preset
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
    [[ -n $version ]] || { echo "package.sh: no project version in $build" >&2; exit 1; }
    arch=win32
    [[ $preset == windows64 ]] && arch=win64
    zip=$ZARV_ROOT/dist/zarv-$version-$arch.zip
    python3 scripts/package.py make "$zip" "$build/zarv.exe" docs/README.txt
    echo "$zip"
done
