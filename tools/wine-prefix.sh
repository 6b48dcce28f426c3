#!/usr/bin/env bash
# Creates (or brings up to date) the Wine prefix given as the first argument, under the Japanese
# locale, and waits until Wine has finished setting it up.
set -euo pipefail
export WINEPREFIX=$1
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine64}
"$WINELOADER" wineboot -i >/dev/null 2>&1
wineserver -w
