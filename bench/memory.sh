#!/bin/sh
# Peak memory against the size of the document: for each size and each shape of a big change log, a
# project document of about SIZE MiB is made, and each command runs once under /usr/bin/time -v. Prints
# the maximum resident set size of each run beside its limit:
#   get DOC changelog, set DOC version=..., render txt|html|nfo DOC    2N + 64 MiB
#   render md DOC, render all DOC -o FOLDER                             4N + 64 MiB
# where N is the document's size in bytes. The shapes:
#   blank   the document's own lines are empty: CR LF after CR LF below the keys (Windows-1252)
#   breaks  the change log is empty lines only: one ¤ after another (UTF-8 after a byte-order mark)
#   line    the change log is one huge line of Latin text with markup characters (Windows-1252)
#   mixed   the change log is short lines of Latin, Cyrillic, CJK and emoji text (UTF-8, byte-order mark)
#
# usage: bench/memory.sh [FOLDER] [SIZES] [COMMANDS]
#   FOLDER       where the documents are made (default: $TMPDIR or /tmp); they are deleted at the end. The
#                biggest size needs about 5 times its size free there (the document and render all's files)
#   SIZES        sizes in MiB, separated by blanks or commas (default: "128 512")
#   COMMANDS     the commands to run, separated by commas (default: "get,set,render txt,render html,render
#                nfo,render md,render all"); a command far over its limit takes that much memory
#   QUILLORY_CLI the program to measure (default: build-rel/src/quillory-cli beside this script, else
#                build/src/quillory-cli)
# Exits 1 when a run fails or goes over its limit.
set -eu

folder=${1:-${TMPDIR:-/tmp}}
sizes=$(echo "${2:-128 512}" | tr ',' ' ')
commands=${3:-get,set,render txt,render html,render nfo,render md,render all}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/timing.sh"
find_cli memory.sh
[ -x /usr/bin/time ] || { echo "memory.sh: /usr/bin/time is needed (Debian package time)" >&2; exit 2; }

work=$(mktemp -d "$folder/quillory-memory-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT HUP INT PIPE TERM

# chunk SHAPE: one MiB of the shape's change log, made of whole characters, written to $work/chunk.
chunk() {
  LC_ALL=C awk -v shape="$1" 'BEGIN {
    limit = 1048576
    if (shape == "breaks") {
      for (i = 0; i < limit / 2; i++) printf "\302\244"
      exit
    }
    for (i = 0; ; i++) {
      if (shape == "line") {
        entry = "Fixed the curve drawing code that was slow & wrong <see tracker> in caf\351 na\357ve mode " i ". "
      } else if (i % 4 == 0) {
        entry = "- Zsófia Łukasz fixed the řádek drawing code that was slow & wrong <ő> (" i ")\302\244"
      } else if (i % 4 == 1) {
        entry = "- Исправлена ошибка отрисовки кривых, которая была медленной (" i ")\302\244"
      } else if (i % 4 == 2) {
        entry = "- 修复了曲线绘制代码中缓慢且错误的问题，东京 (" i ")\302\244"
      } else {
        entry = "- Emoji 😀 🎉 👍 in the release notes now show 🚀 ✨ (" i ")\302\244"
      }
      if (total + length(entry) > limit) break
      printf "%s", entry
      total += length(entry)
    }
    while (total < limit) { printf "."; total++ }
  }' >"$work/chunk"
}

# make_document FILE SHAPE MIB: a project of the shape whose change log (or blank tail) is MIB MiB.
make_document() {
  utf8=
  case $2 in breaks | mixed) utf8=1 ;; esac
  {
    [ -n "$utf8" ] && printf '\357\273\277'
    printf '[html]\r\nc1=#f5f5f5\r\nc2=#000000\r\nchr=iso-8859-1\r\n[readme]\r\n'
    printf 'program_name=Big Document\r\nversion=1.0\r\n'
    if [ -n "$utf8" ]; then printf 'copyright=Example Team \302\251 2006\r\n'; else printf 'copyright=Example Team \251 2006\r\n'; fi
    printf 'descript_uses=Draws curves.\r\nlicense=Free to use.\r\nchangelog='
    if [ "$2" = blank ]; then
      printf 'One entry.\r\n'
      yes "$(printf '\r')" | head -c $(($3 * 1048576))
    else
      chunk "$2"
      i=0
      while [ "$i" -lt "$3" ]; do
        cat "$work/chunk"
        i=$((i + 1))
      done
      printf '\r\n'
    fi
  } >"$1"
  rm -f "$work/chunk"
}

# peak_kib COMMAND...: the run's maximum resident set size in KiB, or "failed".
peak_kib() {
  if /usr/bin/time -v -o "$work/time" "$@" >/dev/null 2>"$work/err"; then
    awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time"
  else
    echo failed
  fi
}

echo "quillory-cli: $cli"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo unknown)"
printf '%-12s %-7s %9s %9s %9s %-6s %s\n' command shape "N MiB" "RSS MiB" "limit MiB" rule result
status=0
for size in $sizes; do
  for shape in blank breaks line mixed; do
    doc=$work/$shape.qlx
    make_document "$doc" "$shape" "$size"
    bytes=$(wc -c <"$doc")
    cat "$doc" >/dev/null  # into the page cache
    old_ifs=$IFS
    IFS=,
    for command in $commands; do
      IFS=$old_ifs
      rule=2N+64
      case $command in
        get) kib=$(peak_kib "$cli" get "$doc" changelog) ;;
        set) kib=$(peak_kib "$cli" set "$doc" "version=1.$size") ;;
        "render all")
          rule=4N+64
          kib=$(peak_kib "$cli" render all "$doc" -o "$work/out")
          rm -rf "$work/out"
          ;;
        "render md")
          rule=4N+64
          kib=$(peak_kib "$cli" render md "$doc")
          ;;
        *) kib=$(peak_kib "$cli" $command "$doc") ;;
      esac
      factor=${rule%%N*}
      limit=$(awk -v b="$bytes" -v f="$factor" 'BEGIN { printf "%.0f", f * b / 1048576 + 64 }')
      if [ "$kib" = failed ]; then
        rss=failed
        result=FAIL
        sed 's/^/    /' "$work/err" | head -3 >&2
      else
        rss=$(awk -v k="$kib" 'BEGIN { printf "%.0f", k / 1024 }')
        result=$(awk -v r="$rss" -v l="$limit" 'BEGIN { print (r <= l) ? "pass" : "FAIL" }')
      fi
      [ "$result" = pass ] || status=1
      printf '%-12s %-7s %9s %9s %9s %-6s %s\n' "$command" "$shape" \
        "$(awk -v b="$bytes" 'BEGIN { printf "%.1f", b / 1048576 }')" "$rss" "$limit" "$rule" "$result"
    done
    IFS=$old_ifs
    rm -f "$doc"
  done
done
exit "$status"
