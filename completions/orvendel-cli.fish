# SPDX-License-Identifier: MIT
# fish completion for orvendel-cli: verbs, the options of each verb, and game executables
# (*.exe) or settings files (*.chs) where the verb takes them.

set -l verbs read apply check locate restore help

# Files whose names end in one of the given extensions, in any case, and folders to go into.
function __orvendel_cli_files
    set -l token (commandline -ct)
    for path in $token*
        if test -d $path
            echo $path/
        else if string match -qir -- '\.('(string join '|' $argv)')$' $path
            echo $path
        end
    end
end

complete -c orvendel-cli -f
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -l help -d 'List the verbs'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -s V -l version -d 'Print the version'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -a read -d 'Read the camera settings out of the game executable'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -a apply -d 'Write the values of a settings file into the game executable'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -a check -d 'Load a settings file and print the values it gives'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -a locate -d 'Print the path of nwmain.exe, the first copy of the game found'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -a restore -d 'Put back the copy of the game executable kept before its first change'
complete -c orvendel-cli -n "not __fish_seen_subcommand_from $verbs" -a help -d 'List the verbs, or explain one'
complete -c orvendel-cli -n "__fish_seen_subcommand_from help; and not __fish_seen_subcommand_from read apply check locate restore" -a 'read apply check locate restore'

complete -c orvendel-cli -n "__fish_seen_subcommand_from read apply check locate restore" -s h -l help -d 'Show the help of the verb'
complete -c orvendel-cli -n "__fish_seen_subcommand_from read" -l json -d 'Print one JSON object instead of the table'
complete -c orvendel-cli -n "__fish_seen_subcommand_from read" -l save -x -a '(__orvendel_cli_files chs)' -d 'Also save the values as a settings file'
complete -c orvendel-cli -n "__fish_seen_subcommand_from read restore apply" -a '(__orvendel_cli_files exe)'
complete -c orvendel-cli -n "__fish_seen_subcommand_from apply check" -a '(__orvendel_cli_files chs)'
complete -c orvendel-cli -n "__fish_seen_subcommand_from apply restore" -l yes -d 'Answer yes to every question'
complete -c orvendel-cli -n "__fish_seen_subcommand_from check" -l revision -x -a '-1 0 1' -d 'Load with the limits of that revision'
complete -c orvendel-cli -n "__fish_seen_subcommand_from check" -l json -d 'Print one JSON object instead of the table'
complete -c orvendel-cli -n "__fish_seen_subcommand_from locate" -l all -d 'Print every copy found, one a line'
