#!/usr/bin/env bash
# Creates (or brings up to date) the Wine prefix given as the first argument, under the Japanese
# locale, with font substitutes for the program's Japanese faces and captions drawn by Wine
# itself, and the project's help engine, when the second argument names it, as the HTML Help
# control; then waits until Wine has finished setting it up.
#
#   tools/wine-prefix.sh PREFIX [HELP_ENGINE_DLL]
set -euo pipefail
export WINEPREFIX=$1
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINELOADER=${WINELOADER:-/usr/lib/wine/wine64}
"$WINELOADER" wineboot -i >/dev/null 2>&1

# The faces the program's dialogs ask for, which a Japanese Windows has, drawn with the IPA
# fonts of the machine: the proportional IPAPGothic for the proportional faces, IPAGothic for
# the fixed one. Without them Wine falls back to a font whose metrics clip the labels.
font_substitutes='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
for pair in "ＭＳ Ｐゴシック=IPAPGothic" "MS UI Gothic=IPAPGothic" "ＭＳ ゴシック=IPAGothic"; do
    "$WINELOADER" reg add "$font_substitutes" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
done

# Wine draws the windows' captions and frames itself, as the platform does, instead of leaving
# them to a window manager that the virtual display does not have: so titles and close boxes
# show on it and in its screenshots.
"$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
# A program that crashes ends at once with its exception, instead of waiting behind Wine's crash
# dialog until the test's time runs out.
"$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

# The program loads its help engine from the HTML Help control's registered location, which
# Wine reads from the machine's classes. Wine's own engine shows no text pop-ups and no pages,
# so the prefix gets the project's stand-in (help_engine.dll) when it has been built; without
# it the prefix keeps whatever engine it has.
engine=${2:-}
if [ -n "$engine" ] && [ -f "$engine" ]; then
    location=$("$WINELOADER" winepath -w "$engine" 2>/dev/null | tr -d '\r')
    "$WINELOADER" reg add 'HKLM\Software\Classes\CLSID\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\InprocServer32' \
        /ve /d "$location" /f >/dev/null 2>&1
fi
wineserver -w
