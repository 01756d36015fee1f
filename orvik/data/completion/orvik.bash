# bash completion for orvik: its two options and playlists.

_orvik() {
    local cur prev words cword
    _init_completion || return
    if [[ $cur == -* && $cword -eq 1 ]]; then
        COMPREPLY=($(compgen -W "--help --version" -- "$cur"))
        return
    fi
    _filedir '@(m3u|m3u8|pls|M3U|M3U8|PLS)'
}
complete -F _orvik orvik
