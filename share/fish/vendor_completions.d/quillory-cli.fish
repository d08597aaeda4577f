# fish completion for quillory-cli. Keys come from `quillory-cli keys`, versions from the headings of the
# change log named after KEY=@.

set -l commands render get set stamp check keys md5 sha256 size help

# The words after the subcommand that are neither options nor the values of -o, --set and --format.
function __quillory_cli_arguments
    set -l tokens (commandline -opc)
    set -e tokens[1..2]
    set -l skip 0
    for token in $tokens
        if test $skip = 1
            set skip 0
        else if string match -qr -- '^(-o|--output|--set|--format)$' $token
            set skip 1
        else if not string match -q -- '-*' $token
            echo $token
        end
    end
end

# Whether the subcommand is $argv[1] and $argv[2] words come before the current one.
function __quillory_cli_at
    set -l tokens (commandline -opc)
    test (count $tokens) -ge 2; and test "$tokens[2]" = $argv[1]; or return 1
    test (count (__quillory_cli_arguments)) -eq $argv[2]
end

# The keys, "key<TAB>caption", asked of the program being completed.
function __quillory_cli_keys
    set -l program (commandline -opc)[1]
    $program keys 2>/dev/null; or command quillory-cli keys 2>/dev/null
end

# A value of set or render --set: KEY=, then after KEY=@ a file, after KEY=@FILE# a version of that file.
function __quillory_cli_assignment
    set -l token (commandline -ct)
    if string match -qr -- '^[^=]*=@.*#' $token
        set -l head (string replace -r -- '#[^#]*$' '#' $token)
        set -l file (string replace -r -- '^[^=]*=@' '' (string replace -r -- '#[^#]*$' '' $token))
        test -r "$file"; or return
        for name in (sed -nE -e '/^ {0,3}(```|~~~)/,/^ {0,3}(```|~~~)/d' \
                -e 's/^ {0,3}#{1,6}[[:space:]]+\[?[vV]?([^][:space:]]+).*/\1/p' -- $file 2>/dev/null)
            echo $head$name
        end
    else if string match -qr -- '^[^=]*=@' $token
        set -l head (string match -r -- '^[^=]*=@' $token)
        for path in (__fish_complete_path (string replace -r -- '^[^=]*=@' '' $token))
            echo $head$path
        end
    else if not string match -q -- '*=*' $token
        __quillory_cli_keys | string replace -r -- '^([^\t]*)' '$1='
    end
end

# The formats; after a comma, the next format of a list.
function __quillory_cli_formats
    set -l head (string match -r -- '^.*,' (commandline -ct))
    if test -n "$head"
        printf "$head%s\n" txt html html-preview nfo md
    else
        printf '%s\n' txt html html-preview nfo md all
    end
end

complete -c quillory-cli -f
set -l first "not __fish_seen_subcommand_from $commands"
complete -c quillory-cli -s h -l help -d 'Print the help'
complete -c quillory-cli -s V -l version -d 'Print the version'

complete -c quillory-cli -n $first -a render -d 'Write the README documents of a project document'
complete -c quillory-cli -n $first -a get -d 'Print values of a project document'
complete -c quillory-cli -n $first -a set -d 'Change values of a project document'
complete -c quillory-cli -n $first -a stamp -d 'Set size, md5 and sha256 from a release file'
complete -c quillory-cli -n $first -a check -d 'Print the problems of a project document'
complete -c quillory-cli -n $first -a keys -d 'Print every key with its caption'
complete -c quillory-cli -n $first -a md5 -d 'Print the MD5 digest of a file'
complete -c quillory-cli -n $first -a sha256 -d 'Print the SHA-256 digest of a file'
complete -c quillory-cli -n $first -a size -d 'Print the size text of a file'
complete -c quillory-cli -n $first -a help -d 'Print the help of a command'

# render FORMAT[,FORMAT...]|all PROJECT [-o FILE|FOLDER] [--set KEY=VALUE] [--check] [--strict]
complete -c quillory-cli -n '__quillory_cli_at render 0' -a '(__quillory_cli_formats)'
complete -c quillory-cli -n '__quillory_cli_at render 1' -F
complete -c quillory-cli -n '__fish_seen_subcommand_from render' -s o -l output -r -F -d 'Where to write'
complete -c quillory-cli -n '__fish_seen_subcommand_from render' -l set -x -a '(__quillory_cli_assignment)' \
    -d 'A value for this run only'
complete -c quillory-cli -n '__fish_seen_subcommand_from render' -l check \
    -d 'Write nothing; fail when a README would change'
complete -c quillory-cli -n '__fish_seen_subcommand_from render' -l strict \
    -d 'Fail and write nothing when an output would write characters as ?'

# get [--raw|--json] PROJECT [KEY...]
complete -c quillory-cli -n '__fish_seen_subcommand_from get' -l raw -d 'The stored bytes'
complete -c quillory-cli -n '__fish_seen_subcommand_from get' -l json -d 'One JSON object of the values'
complete -c quillory-cli -n '__quillory_cli_at get 0' -F
complete -c quillory-cli -n '__fish_seen_subcommand_from get; and not __quillory_cli_at get 0' \
    -a '(__quillory_cli_keys)'

# set PROJECT KEY=VALUE ...
complete -c quillory-cli -n '__quillory_cli_at set 0' -F
complete -c quillory-cli -n '__fish_seen_subcommand_from set; and not __quillory_cli_at set 0' \
    -a '(__quillory_cli_assignment)'

# stamp [--format text|env|json] [-n] [-q] PROJECT FILE
complete -c quillory-cli -n '__fish_seen_subcommand_from stamp' -l format -x -a 'text env json' -d 'The report'
complete -c quillory-cli -n '__fish_seen_subcommand_from stamp' -s n -l dry-run \
    -d 'Print the values without changing the document'
complete -c quillory-cli -n '__fish_seen_subcommand_from stamp' -s q -l quiet -d 'No progress line'
complete -c quillory-cli -n '__quillory_cli_at stamp 0; or __quillory_cli_at stamp 1' -F

# check PROJECT; md5|sha256|size [-q] FILE; help [COMMAND]
complete -c quillory-cli -n '__quillory_cli_at check 0' -F
complete -c quillory-cli -n '__fish_seen_subcommand_from md5 sha256 size' -s q -l quiet -d 'No progress line'
complete -c quillory-cli -n '__fish_seen_subcommand_from md5 sha256 size' -F
complete -c quillory-cli -n '__quillory_cli_at help 0' -a "$commands"
