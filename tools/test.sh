#!/usr/bin/env bash
# Builds the four trees (native with sanitizers, native optimised for the benchmarks and the
# Debian package, Windows with mingw-w64 and its zip, the fuzz targets with clang) and runs every
# test, benchmark and bounded fuzz run in one CTest run, the Windows programs under Wine on a
# virtual display when there is no display; the packages are built and checked by tests.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

tools/setup.sh || exit 1

jobs=$(nproc)
build() {
    local dir=$1
    shift
    cmake -S . -B "build/$dir" "$@" >"build/$dir.configure.log" 2>&1 ||
        { cat "build/$dir.configure.log"; return 1; }
    cmake --build "build/$dir" -j "$jobs"
}
mkdir -p build
build native -DCMAKE_BUILD_TYPE=Debug -DKIBREL_SANITIZE=ON || exit 1
build release -DCMAKE_BUILD_TYPE=Release -DKIBREL_SANITIZE=OFF || exit 1
build windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" ||
    exit 1
build fuzz -DKIBREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    -DCMAKE_CXX_COMPILER=clang++ || exit 1

cleanup() {
    WINEPREFIX="$root/build/windows/wineprefix" wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
. tools/virtual-display.sh

tools/wine-prefix.sh "$root/build/windows/wineprefix" "$root/build/windows/bin/help_engine.dll" || exit 1

# One CTest run over the four trees, so that its closing lines count every test.
cat >build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "release" "windows" "fuzz")
CTEST
ctest --test-dir build --output-on-failure -j "$jobs"
