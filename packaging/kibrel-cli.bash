# bash completion for kibrel-cli: its options, the code pages of --code-page, and file names
# for the PATHs and for --from-file. After "--" every word is a PATH.

_kibrel_cli() {
    local cur prev words cword split
    _init_completion -s || return

    local i
    for ((i = 1; i < cword; i++)); do
        if [[ ${words[i]} == -- ]]; then
            _filedir
            return
        fi
    done

    case $prev in
    -s | --search | -r | --replace | --start)
        return
        ;;
    --code-page)
        COMPREPLY=($(compgen -W '932 utf-8 1252' -- "$cur"))
        return
        ;;
    --from-file)
        _filedir
        return
        ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W '-s --search= -r --replace= -n --dry-run --code-page= --order
            --undo --from-file= -0 --null -q --quiet -v --verbose --windows-names --start= -h --help
            -V --version' -- "$cur"))
        [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
        return
    fi
    _filedir
} &&
    complete -F _kibrel_cli kibrel-cli
