#!/bin/sh
# Runs a Windows program under Wine in the prefix of the build tree it belongs to, with the
# Japanese locale, so that its ANSI code page is 932 and Linux file names map to Shift-JIS.
# KIBREL_WINE_LOCALE names another locale for the run: C.UTF-8 gives code page 1252, as on a
# Western Windows. Wine takes the code page from each process's locale, so one prefix serves
# both.
prog=$1
if [ -z "${WINEPREFIX:-}" ]; then
    dir=$(cd "$(dirname "$prog")" && pwd)
    while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do
        dir=$(dirname "$dir")
    done
    WINEPREFIX="$dir/wineprefix"
fi
export WINEPREFIX
export LC_ALL=${KIBREL_WINE_LOCALE:-ja_JP.UTF-8}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Kibrel is a 64-bit program: take the 64-bit loader directly, so that a 32-bit Wine that
# may sit beside it (and that some kernels cannot start) is never involved.
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine64}
exec "$WINELOADER" "$@"
