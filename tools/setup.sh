#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing and packaging Kibrel need, when
# they are missing, and generates the Japanese locale that gives Wine its code page 932.
set -euo pipefail

packages=(
    cmake make g++ clang-format clang libclang-rt-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    googletest libgtest-dev libgmock-dev
    wine wine64 xvfb xauth xdotool imagemagick
    locales fonts-ipafont-gothic
    fp-utils rename gettext
    libre2-dev libpcre2-dev
    dpkg-dev file go-md2man man-db bash-completion unzip lintian
)

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    echo "Generating the ja_JP.UTF-8 locale"
    "${sudo[@]}" sed -i 's/^# *\(ja_JP\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP\.UTF-8 UTF-8' /etc/locale.gen ||
        echo 'ja_JP.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo[@]}" locale-gen >/dev/null
fi
