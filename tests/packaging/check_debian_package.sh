#!/usr/bin/env bash
# The Debian package of kibrel-cli as a user meets it, unpacked into a throw-away root instead of
# the system: the files it holds and the libraries it depends on, the program renaming a file
# with its private regex library and speaking Japanese from its catalog, the manual page as man
# shows it, the bash completion of every option, and the changelog naming this version.
#
#   check_debian_package.sh PACKAGE ROOT VERSION
set -uo pipefail
package=$1 root=$2 version=$3
export LC_ALL=C.UTF-8
unset LD_LIBRARY_PATH
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The real rename below keeps its journal here, not in the user's own.
export XDG_STATE_HOME=$work/state

source "$(dirname "$0")/expectations.sh"

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
expect "the files" "usr/bin/kibrel-cli
usr/lib/$multiarch/kibrel-cli/libjre32.so
usr/share/bash-completion/completions/kibrel-cli
usr/share/doc/kibrel-cli/changelog.gz
usr/share/doc/kibrel-cli/copyright
usr/share/locale/ja/LC_MESSAGES/kibrel-cli.mo
usr/share/man/man1/kibrel-cli.1.gz" "$(dpkg-deb --fsys-tarfile "$package" | tar -t | grep -v '/$' |
    sed 's|^\./||' | sort)"
expect "the version" "$version" "$(dpkg-deb -f "$package" Version)"
# dpkg-shlibdeps found what the program and the library link against.
depends=$(dpkg-deb -f "$package" Depends)
for library in libc6 libstdc++6; do
    [[ $depends == *"$library ("* ]] || fail "Depends names no $library: [$depends]"
done

rm -rf "$root"
dpkg-deb -x "$package" "$root" || exit 1
program=$root/usr/bin/kibrel-cli

# From the unpacked root the program finds its library in its private folder, and renames.
versions=$("$program" --version) || fail "--version ended with status $?"
expect "--version's first line" "kibrel-cli (Kibrel) $version" "$(head -n 1 <<<"$versions")"
grep -q '^JRE32\.DLL [0-9]' <<<"$versions" || fail "--version names no regex library: [$versions]"
mkdir "$work/photos" && touch "$work/photos/photo_2001_0903.jpg"
"$program" -s '{\d\d\d\d}_{\d\d\d\d}' -r '\2-\1' "$work/photos/photo_2001_0903.jpg" >/dev/null ||
    fail "the rename ended with status $?"
expect "the renamed folder" "photo_0903-2001.jpg" "$(ls "$work/photos")"
# It finds its Japanese messages in the tree too, beside the program locale that every /usr/bin
# holds.
touch "$root/usr/bin/locale"
expect "a message under a Japanese locale" "正規表現の使い方が間違っとるぞ。" \
    "$(LC_ALL=ja_JP.UTF-8 "$program" -n -s '{' "$work/photos/photo_0903-2001.jpg" 2>&1)"
rm "$root/usr/bin/locale"

# The manual page renders without a warning and holds what a user looks for.
page=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/kibrel-cli.1.gz" 2>"$work/warnings")
expect "man's warnings" "" "$(cat "$work/warnings")"
expect "the page's head" "KIBREL-CLI(1) User Commands KIBREL-CLI(1)" "$(head -n 1 <<<"$page" |
    tr -s ' ')"
expect "the page's foot" "Kibrel $version KIBREL-CLI(1)" "$(tail -n 1 <<<"$page" | tr -s ' ')"
for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "SEARCH TEXT" "REGULAR EXPRESSIONS" \
    "REPLACE TEXT" JOURNAL "EXIT STATUS" EXAMPLES; do
    grep -qx "$heading" <<<"$page" || fail "the page has no section $heading"
done
# The options the page describes: the words that begin with - at the head of an OPTIONS entry.
page_options=$(sed -n '/^OPTIONS$/,/^[A-Z]/p' <<<"$page" | grep -E '^       -' |
    grep -oE '(^|[ ,])--?[[:alnum:]][[:alnum:]-]*' | tr -d ' ,' | sort -u)
help_options=$("$program" --help | grep -E '^ +-' |
    grep -oE '^ +(-[[:alnum:]], )?--?[[:alnum:]][[:alnum:]-]*' | grep -oE -- '--?[[:alnum:]-]+' |
    sort -u)
grep -qx -- --search <<<"$help_options" || fail "no options read from --help: [$help_options]"
expect "options of --help missing from the page" "" \
    "$(comm -13 <(echo "$page_options") <(echo "$help_options"))"

# The completion, loaded as bash-completion loads it, completing command lines typed in a
# folder of files.
mkdir "$work/typed" && touch -- "$work/typed/-dash.txt" "$work/typed/a b.lst" "$work/typed/c.txt"
completions=$(cd "$work/typed" &&
    bash --norc --noprofile -s "$root/usr/share/bash-completion/completions/kibrel-cli" <<'BASH'
source /usr/share/bash-completion/bash_completion
source "$1" || exit 1
compopt() { :; } # only a completion started by the shell may set its options
# Completes a command line as bash splits it: words at blanks and at "=".
complete_line() {
    local line=$1
    COMP_LINE=$line
    COMP_POINT=${#line}
    read -ra COMP_WORDS <<<"${line//=/ = }"
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _kibrel_cli kibrel-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    echo "$line|$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd ' ')"
}
complete_line "kibrel-cli -"
complete_line "kibrel-cli --co"
complete_line "kibrel-cli --code-page="
complete_line "kibrel-cli --code-page u"
complete_line "kibrel-cli --from-file="
complete_line "kibrel-cli -s "
complete_line "kibrel-cli -s x a"
complete_line "kibrel-cli -s x -- -"
BASH
)
all_options=$(grep '^kibrel-cli -|' <<<"$completions" | cut -d'|' -f2 | tr ' ' '\n' | tr -d = |
    sort -u)
expect "the options the page and the completion know" "$page_options" "$all_options"
expect "completions" "kibrel-cli --co|--code-page=
kibrel-cli --code-page=|1252 932 utf-8
kibrel-cli --code-page u|utf-8
kibrel-cli --from-file=|-dash.txt a b.lst c.txt
kibrel-cli -s |
kibrel-cli -s x a|a b.lst
kibrel-cli -s x -- -|-dash.txt" "$(grep -v '^kibrel-cli -|' <<<"$completions")"

expect "the changelog's newest entry" "kibrel-cli ($version) unstable; urgency=medium" \
    "$(zcat "$root/usr/share/doc/kibrel-cli/changelog.gz" | head -n 1)"

[ "$failures" -eq 0 ] && echo "The package holds, runs, documents and completes kibrel-cli $version"
exit $((failures > 0))
