# SPDX-License-Identifier: MIT
# bash completion for orvendel-cli: verbs, the options of each verb, and game executables
# (*.exe) or settings files (*.chs) where the verb takes them.

_orvendel_cli_files() {
    local pattern=$1 cur=$2
    local IFS=$'\n'
    compopt -o filenames 2>/dev/null
    COMPREPLY+=($(compgen -d -- "$cur") $(compgen -f -X "!$pattern" -- "$cur"))
}

_orvendel_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    COMPREPLY=()
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "read apply check locate restore help --help --version -V" \
            -- "$cur"))
        return
    fi
    # "help VERB" shows that verb's help.
    if [[ ${COMP_WORDS[1]} == help ]]; then
        ((COMP_CWORD == 2)) && COMPREPLY=($(compgen -W "read apply check locate restore" -- "$cur"))
        return
    fi

    local verb=${COMP_WORDS[1]} options
    case $verb in
    read) options="--json --save" ;;
    apply | restore) options="--yes" ;;
    check) options="--revision --json" ;;
    locate) options="--all" ;;
    *) return ;;
    esac

    case $prev in
    --save)
        _orvendel_cli_files '*.[cC][hH][sS]' "$cur"
        return
        ;;
    --revision)
        COMPREPLY=($(compgen -W "-1 0 1" -- "$cur"))
        return
        ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi

    # The how-manieth file argument this word is, options and their values left out.
    local i files=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        --save | --revision) ((i++)) ;;
        -*) ;;
        *) ((files++)) ;;
        esac
    done
    case $verb:$files in
    read:0 | apply:0 | restore:0) _orvendel_cli_files '*.[eE][xX][eE]' "$cur" ;;
    apply:1 | check:0) _orvendel_cli_files '*.[cC][hH][sS]' "$cur" ;;
    esac
}

complete -F _orvendel_cli orvendel-cli
