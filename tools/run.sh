#!/usr/bin/env bash
# Sets up what is missing, builds the Windows tree and starts kibrel.exe under Wine with the
# given files in its list. On the current display when there is one; otherwise on a virtual
# display of its own, where it waits for the window, saves a screenshot to build/screenshot.png
# and ends Wine and the display again.
#
#   tools/run.sh [PATH...]
set -uo pipefail

# Paths are taken relative to the folder the command was given in.
paths=()
for p in "$@"; do
    [[ $p == /* ]] || p="$PWD/$p"
    paths+=("$p")
done

cd "$(dirname "$0")/.."
root=$(pwd)
build="$root/build/windows"

tools/setup.sh || exit 1
cmake -S . -B build/windows -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null || exit 1
cmake --build build/windows -j2 || exit 1

export WINEPREFIX="$build/wineprefix"
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        wineserver -k 2>/dev/null
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap cleanup EXIT

. tools/virtual-display.sh

tools/wine-prefix.sh "$WINEPREFIX" "$build/bin/help_engine.dll" || exit 1

# winepath -w, run by the project's Wine loader with the prefix and the locale of the program.
windows_paths=()
if [ ${#paths[@]} -gt 0 ]; then
    mapfile -t windows_paths < <(tools/wine-run.sh winepath.exe -w "${paths[@]}" | tr -d '\r')
fi

if [ -z "$xvfb_pid" ]; then
    tools/wine-run.sh "$build/bin/kibrel.exe" "${windows_paths[@]}"
    exit
fi

tools/wine-run.sh "$build/bin/kibrel.exe" "${windows_paths[@]}" &
shown=
for _ in $(seq 600); do
    if xdotool search --onlyvisible --name '^Kibrel' >/dev/null 2>&1; then
        shown=1
        break
    fi
    sleep 0.1
done
sleep 1 # let the window paint itself
import -window root build/screenshot.png
if [ -n "$shown" ]; then
    echo "Screenshot of the Kibrel window: $root/build/screenshot.png"
else
    echo "The Kibrel window did not appear; screenshot of the display: $root/build/screenshot.png"
    exit 1
fi
