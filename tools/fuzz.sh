#!/usr/bin/env bash
# tools/fuzz.sh [SECONDS] [TARGET...]
# Builds the fuzz tree build/fuzz (clang, libFuzzer, AddressSanitizer and UBSan) and runs every
# fuzz target, or the ones named, one after the other for SECONDS each (45 by default) on a
# working copy of its seed corpus. Exits non-zero when a target finds an input that breaks one
# of its properties, crashes, leaks or hangs; the input is kept in build/fuzz/fuzz/<target>/.
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-45}
[ $# -gt 0 ] && shift

if ! command -v clang++ >/dev/null; then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: clang"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang libclang-rt-dev
fi

mkdir -p build
cmake -S . -B build/fuzz -DKIBREL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKIBREL_FUZZ_SECONDS="$seconds" \
    >build/fuzz.configure.log 2>&1 || { cat build/fuzz.configure.log; exit 1; }
cmake --build build/fuzz -j2 || exit 1

filter=()
if [ $# -gt 0 ]; then
    filter=(-R "^($(IFS='|'; echo "$*"))\$")
fi
ctest --test-dir build/fuzz -L fuzz --output-on-failure "${filter[@]}"
