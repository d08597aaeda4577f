#!/usr/bin/env zsh
# Usage: zc.zsh FOLDER 'LINE': what zsh's completion offers at the end of LINE, one candidate a line, with
# the completion functions of FOLDER first on fpath.
zmodload zsh/zpty || exit 2
folder=$1 line=$2
zpty completion zsh -f -i
zpty -w completion "PROMPT=''; RPROMPT=''; fpath=(${(q)folder} \$fpath); autoload -Uz compinit; compinit -u -D"
# Every match is printed after a marker that is put together when it is printed, so that the echo of these
# lines holds none; a call that only asks for matches (-O, -A, -D) is passed on.
zpty -w completion 'compadd() { [[ " $* " == *" -"[OAD]* ]] && { builtin compadd "$@"; return }; local -a m; builtin compadd -O m "$@"; local x; for x in $m; do print -r -- "@@""match ${IPREFIX}${x}"; done }'
zpty -w completion 'finish() { print -r -- "@@""end"; exit }; comppostfuncs=(finish); bindkey "^I" complete-word'
zpty -w completion "$line"$'\t'
while zpty -r completion output; do
  for piece in ${(f)output//$'\r'/$'\n'}; do
    [[ $piece == *'@@end'* ]] && exit 0
    [[ $piece == *'@@match '* ]] && print -r -- ${piece#*@@match }
  done
done
exit 3
