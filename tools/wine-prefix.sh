#!/usr/bin/env bash
# Creates (or brings up to date) the Wine prefix given as the first argument, under the Japanese
# locale, with font substitutes for the program's Japanese faces and captions drawn by Wine
# itself, and waits until Wine has finished setting it up.
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
wineserver -w
