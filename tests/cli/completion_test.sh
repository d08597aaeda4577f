#!/usr/bin/env bash
# The shell completions of quillory-cli in real shells: bash with bash-completion, then zsh and fish when they
# are installed. Each lists every subcommand the program has (as `quillory-cli --help` names them); bash also
# completes after KEY=@ with = and : among its word breaks, keys after --set and versions after @FILE#.
# Usage: completion_test.sh SOURCE_DIR FOLDER_OF_QUILLORY_CLI
set -euo pipefail
source_dir=$(cd "$1" && pwd)
export PATH="$(cd "$2" && pwd):$PATH"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '# Changelog\n\n## [1.2.0] - 2026-12-01\n- a\n\n```\n## 9.9\n```\n## v1.1\n- b\n' >CHANGELOG.md
printf '[readme]\r\nprogram_name=Demo\r\n' >demo.qlx
mkdir docs

failures=0
check() {  # NAME EXPECTED ACTUAL
  if [ "$2" = "$3" ]; then
    echo "ok: $1"
  else
    printf 'FAILED: %s\n  expected: %s\n  got:      %s\n' "$1" "$2" "$3"
    failures=$((failures + 1))
  fi
}
words() { tr '\n' ' ' | sed 's/ $//'; }

subcommands=$(quillory-cli --help | sed -n '/^Subcommands:/,/^$/p' | awk 'NF && !/:$/ {print $1}' | sort | words)
[ -n "$subcommands" ] || { echo "quillory-cli --help lists no subcommand"; exit 1; }

# What bash offers at the end of LINE: COMP_WORDS split as readline splits them (at blanks, and at each = and
# : of COMP_WORDBREAKS, which become words of their own), then the completion function's COMPREPLY.
bash_complete() {  # LINE [COMP_WORDBREAKS]
  bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    compopt() { :; }  # how readline shows the words, which only an interactive shell has
    COMP_WORDBREAKS=${3-$COMP_WORDBREAKS}
    line=$2
    COMP_LINE=$line
    COMP_POINT=${#line}
    split=$line
    [[ $COMP_WORDBREAKS == *=* ]] && split=${split//=/ = }
    [[ $COMP_WORDBREAKS == *:* ]] && split=${split//:/ : }
    read -ra COMP_WORDS <<<"$split"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    _quillory_cli quillory-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf "%s\n" "${COMPREPLY[@]}"' _ "$source_dir/share/bash-completion/quillory-cli" "$@"
}

check "bash: the subcommands" "$subcommands" "$(bash_complete 'quillory-cli ' | grep -v '^-' | sort | words)"
check "bash: the formats after a comma" "txt,html txt,html-preview" "$(bash_complete 'quillory-cli render txt,h' | words)"
check "bash: a key of get" "sha256" "$(bash_complete 'quillory-cli get demo.qlx sha' | words)"
check "bash: a key after --set" "version=" "$(bash_complete 'quillory-cli render all demo.qlx --set ver' | words)"
check "bash: a key of set" "news=" "$(bash_complete 'quillory-cli set demo.qlx ne' | words)"
check "bash: a file after KEY=@" "@CHANGELOG.md" "$(bash_complete 'quillory-cli set demo.qlx changelog=@CH' | words)"
check "bash: a folder after KEY=@" "@docs/" "$(bash_complete 'quillory-cli render txt demo.qlx --set news=@do' | words)"
check "bash: the versions after KEY=@FILE#" "@CHANGELOG.md#Changelog @CHANGELOG.md#1.2.0 @CHANGELOG.md#1.1" \
  "$(bash_complete 'quillory-cli set demo.qlx changelog=@CHANGELOG.md#' | words)"
check "bash: a file after KEY=@ without = among the word breaks" "changelog=@CHANGELOG.md" \
  "$(bash_complete 'quillory-cli set demo.qlx changelog=@CH' $' \t\n"'"'"'><;|&(' | words)"
check "bash: a file after KEY=@ in a folder named with a colon" "b/" \
  "$(mkdir a:b && bash_complete 'quillory-cli set demo.qlx news=@a:' | words)"

if command -v zsh >/dev/null; then
  zsh_complete() { zsh -f "$source_dir/tests/cli/zsh_complete.zsh" "$source_dir/share/zsh/vendor-completions" "$1"; }
  check "zsh: the subcommands" "$subcommands" "$(zsh_complete 'quillory-cli ' | sort -u | words)"
  check "zsh: a key of get" "version" "$(zsh_complete 'quillory-cli get demo.qlx ver' | words)"
  check "zsh: the versions after KEY=@FILE#" "changelog=@CHANGELOG.md#1.1 changelog=@CHANGELOG.md#1.2.0 changelog=@CHANGELOG.md#Changelog" \
    "$(zsh_complete 'quillory-cli set demo.qlx changelog=@CHANGELOG.md#' | sort -u | words)"
else
  echo "skipped: zsh is not installed"
fi

if command -v fish >/dev/null; then
  fish_complete() {
    fish --no-config -c 'source $argv[1]; complete -C $argv[2]' \
      "$source_dir/share/fish/vendor_completions.d/quillory-cli.fish" "$1" | cut -f1
  }
  check "fish: the subcommands" "$subcommands" "$(fish_complete 'quillory-cli ' | sort | words)"
  check "fish: a key after --set" "version=" "$(fish_complete 'quillory-cli render all demo.qlx --set ver' | words)"
  check "fish: the versions after KEY=@FILE#" "changelog=@CHANGELOG.md#1.1 changelog=@CHANGELOG.md#1.2.0 changelog=@CHANGELOG.md#Changelog" \
    "$(fish_complete 'quillory-cli set demo.qlx changelog=@CHANGELOG.md#' | sort | words)"
else
  echo "skipped: fish is not installed"
fi

[ "$failures" -eq 0 ] || { echo "$failures completion checks failed"; exit 1; }
