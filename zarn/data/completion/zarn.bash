# bash completion for zarn: its modes, the options of each, their values, the fields of --set,
# and files and folders for paths.

_zarn() {
    local cur prev words cword split
    _init_completion -s || return

    if ((cword == 1)); then
        case $cur in
            +*)
                COMPREPLY=($(compgen -W "+rename= +ext=" -- "$cur"))
                compopt -o nospace
                ;;
            -*)
                COMPREPLY=($(compgen -W "--list --set --fix --sort --history --undo --add --help --version" \
                    -- "$cur"))
                ;;
            *) _filedir ;;
        esac
        return
    fi

    local i
    for ((i = 2; i < cword; i++)); do
        # After "--" every word is a file or folder.
        [[ ${words[i]} == -- ]] && { _filedir; return; }
    done

    # A value after "--option=" (split off into $cur, the option into $prev).
    case $prev in
        --format)
            COMPREPLY=($(compgen -W "tsv json" -- "$cur"))
            return
            ;;
        --if-exists)
            COMPREPLY=($(compgen -W "skip replace" -- "$cur"))
            return
            ;;
        --options)
            _filedir
            return
            ;;
    esac
    $split && return

    local common="--options= --quiet --help --" options
    case ${words[1]} in
        --list) options="--format= $common" ;;
        --history) options="--format= --help" ;;
        --undo) options="--help" ;;
        --set | --fix) options="--v1 --v2 --dry-run $common" ;;
        --sort)
            options="--copy --move --genre --letter --artist-folders= --fix-names --if-exists="
            options+=" --dry-run $common"
            ;;
        +rename=* | +ext=*) options="--dry-run --quiet --" ;;
        --add)
            _filedir
            return
            ;;
        *) return ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        [[ ${#COMPREPLY[@]} -eq 1 && ${COMPREPLY[0]} == *= ]] && compopt -o nospace
        return
    fi
    if [[ ${words[1]} == --set && $cur != */* && $cur != *=* ]]; then
        # The fields come before the paths.
        local fields="title= artist= album= year= genre= track= comment= composer= origartist="
        fields+=" copyright= url= encoder="
        COMPREPLY=($(compgen -W "$fields" -- "$cur"))
        if ((${#COMPREPLY[@]} > 0)); then
            compopt -o nospace
            return
        fi
    fi
    if [[ ${words[1]} == --sort && $prev == --sort ]]; then
        _filedir -d
        return
    fi
    _filedir
}
complete -F _zarn zarn
