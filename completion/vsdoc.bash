# bash completion for vsdoc: commands, options, base actions, files, and the
# entry names of the document given (vsdoc show dos.doc Lo<TAB>).

_vsdoc_entries()
{
    # the names in the index, the first field of every line after the first
    vsdoc index -- "$1" 2>/dev/null | tail -n +2 | cut -f1
}

_vsdoc()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local words=() w options=1 skip=0
    for w in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        if [[ $skip == 1 ]]; then
            skip=0   # the group path after --group
        elif [[ $options == 1 && $w == -- ]]; then
            options=0
        elif [[ $options == 1 && ( $w == --group || $w == --port || $w == --timeout ) ]]; then
            skip=1
        elif [[ $options == 0 || $w != -* ]]; then
            words+=("$w")
        fi
    done
    if [[ $prev == --group || $prev == --timeout ]]; then
        return
    fi
    if [[ $prev == --port ]]; then
        COMPREPLY=($(compgen -W "VELLUMSCANNER.1 VELLUMSCANNER.2" -- "$cur"))
        return
    fi
    if [[ $cur == -* && $options == 1 ]]; then
        COMPREPLY=($(compgen -W "--help --version --color=auto --color=always --color=never --raw --show --group --count --port --timeout --" -- "$cur"))
        return
    fi
    local IFS=$'\n'
    case ${#words[@]}:${words[0]:-} in
        0:) COMPREPLY=($(compgen -W $'index\nshow\nbase\nlookup\nsearch\nsend' -- "$cur")) ;;
        1:send) COMPREPLY=($(compgen -W $'QMX_BaseOpen\nQMX_BaseClose\nQMX_FileOpen\nQMX_FileClose\nQMX_FindFunction\nQMX_FindText\nQUIT\nHIDE\nSHOW\nINFO\nHELP' -- "$cur")) ;;
        2:send) [[ ${words[1]^^} == INFO ]] && COMPREPLY=($(compgen -W $'TITLE\nAUTHOR\nCOPYRIGHT\nDESCRIPTION\nVERSION\nBASE\nSCREEN' -- "$cur")) || { compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- "$cur")); } ;;
        1:base) COMPREPLY=($(compgen -W $'list\nadd\nrescan' -- "$cur")) ;;
        2:show) COMPREPLY=($(compgen -W "$(_vsdoc_entries "${words[1]}")" -- "$cur")) ;;
        *) compopt -o filenames 2>/dev/null; COMPREPLY=($(compgen -f -- "$cur")) ;;
    esac
}
complete -F _vsdoc vsdoc
