#!/usr/bin/env bash
# The Windows zip as a user gets it: one folder named for the release holding exactly the
# programs (the window, kibrel-cli and its UTF-8 form), the regex library, the two help files,
# the README and the licence, the texts ready for Notepad. Unpacks it into FOLDER, which then
# holds nothing else, for the start-up tests to run kibrel.exe from there.
#
#   check_windows_zip.sh ZIP FOLDER VERSION
set -uo pipefail
zip=$1 folder=$2 version=$3
export LC_ALL=C.UTF-8

source "$(dirname "$0")/expectations.sh"

release=$(basename "$zip" .zip)
expect "the listing" "$release/LICENSE.txt
$release/README.txt
$release/jre32.dll
$release/kibrel-cli-utf8.exe
$release/kibrel-cli.exe
$release/kibrel-en.chm
$release/kibrel.chm
$release/kibrel.exe" "$(unzip -Z1 "$zip" | grep -v '/$' | sort)"

rm -rf "$folder"
mkdir -p "$folder"
unzip -q "$zip" -d "$folder" || exit 1
for program in kibrel.exe kibrel-cli.exe kibrel-cli-utf8.exe jre32.dll; do
    file "$folder/$release/$program" | grep -q 'PE32+ executable.*x86-64' ||
        fail "$program is no 64-bit Windows program: $(file -b "$folder/$release/$program")"
done
for text in README.txt LICENSE.txt; do
    expect "$text's lines not ended by CR LF" 0 "$(grep -cv $'\r$' "$folder/$release/$text")"
done
# UTF-8 with its byte order mark, so that Notepad reads the Japanese right on any Windows.
readme=$folder/$release/README.txt
expect "README.txt's first line" $'\xEF\xBB\xBFKibrel '"$version"$'\r' "$(head -n 1 "$readme")"
grep -q '始め方' "$readme" && grep -q 'How to start' "$readme" ||
    fail "README.txt does not start a reader in Japanese and English"

[ "$failures" -eq 0 ] && echo "$release.zip holds Kibrel and is unpacked in $folder"
exit $((failures > 0))
