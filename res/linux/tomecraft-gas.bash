# Bash completion for tomecraft-gas: the commands, their options, and the two files.
_tomecraft_gas() {
    local cur prev command
    cur="${COMP_WORDS[COMP_CWORD]}"
    prev="${COMP_WORDS[COMP_CWORD-1]}"
    command="${COMP_WORDS[1]}"
    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "dump format check --help --version" -- "$cur"))
        return
    fi
    if [ "$prev" = "--backup-dir" ]; then
        COMPREPLY=($(compgen -d -- "$cur"))
        return
    fi
    if [[ "$cur" == -* ]]; then
        local options="--help --version --"
        [ "$command" = "format" ] && options="$options --backup-dir --force"
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    COMPREPLY=($(compgen -f -X '!*.[gG][aA][sS]' -- "$cur") $(compgen -d -- "$cur"))
}
complete -o filenames -F _tomecraft_gas tomecraft-gas
