#!/bin/sh
# Unicode documents against Windows-1252 ones, in the same run: two projects whose change logs are 64 MiB
# each, one Windows-1252 (Latin text with a few accented letters, as bench/big_document.sh makes) and one
# UTF-8 of mixed scripts (Latin with ő ł ř, Cyrillic, CJK, emoji). Each command runs REPETITIONS times on
# each document; the best run counts. Prints the CPU time (user + system, from perf stat; wall time without
# perf) on each and the UTF-8 document's speed over the Windows-1252 one's:
#   render txt|html|nfo DOC    the page written to /dev/null   (goal: UTF-8 at 0.5x the Windows-1252 speed
#   set DOC version=...        read, change one key, save       or more)
# With QUILLORY_BASELINE set to another quillory-cli, the Windows-1252 document is measured with it too
# (goal: no slower than the baseline).
#
# usage: bench/unicode_document.sh [FOLDER] [REPETITIONS]
#   FOLDER       where the documents are made (default: $TMPDIR or /tmp); they are deleted at the end
#   REPETITIONS  runs of each command on each document (default: 5)
#   QUILLORY_CLI the program to measure (default: build-rel/src/quillory-cli beside this script, else
#                build/src/quillory-cli)
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/timing.sh"
find_cli unicode_document.sh
baseline=${QUILLORY_BASELINE:-}

work=$(mktemp -d "$folder/quillory-unicode-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

# The Windows-1252 change log: entries whose line breaks are A4 bytes, cut to exactly 64 MiB.
awk 'BEGIN {
  ORS = "\244"
  for (i = 0; i < 800000; i++)
    print "- Fixed the curve drawing code that was slow & wrong <see tracker> in caf\351 na\357ve mode (" i ")"
}' | head -c 67108864 >"$work/cp1252.log"

# The UTF-8 change log: the same shape in four scripts, line breaks as C2 A4, whole entries up to 64 MiB.
LC_ALL=C awk 'BEGIN {
  limit = 67108864
  for (i = 0; ; i++) {
    if (i % 4 == 0) entry = "- Zsófia Łukasz fixed the řádek drawing code that was slow & wrong <ő> (" i ")"
    else if (i % 4 == 1) entry = "- Исправлена ошибка отрисовки кривых, которая была медленной (" i ")"
    else if (i % 4 == 2) entry = "- 修复了曲线绘制代码中缓慢且错误的问题，东京 (" i ")"
    else entry = "- Emoji 😀 🎉 👍 in the release notes now show 🚀 ✨ (" i ")"
    if (i > 0) entry = "\302\244" entry
    if (total + length(entry) > limit) break
    printf "%s", entry
    total += length(entry)
  }
}' >"$work/utf8.log"

# make_document FILE LOG BREAK: a project whose change log is LOG (BREAK is the encoding's ¤).
make_document() {
  {
    printf '[html]\r\nc1=#f5f5f5\r\nc2=#000000\r\nchr=iso-8859-1\r\n[readme]\r\n'
    printf 'program_name=Big Document\r\nversion=1.0\r\n'
    if [ "$3" = utf8 ]; then printf 'copyright=Example Team \302\251 2006\r\n'; else printf 'copyright=Example Team \251 2006\r\n'; fi
    printf 'descript_uses=Draws curves.%sQuickly.\r\nchangelog=' "$([ "$3" = utf8 ] && printf '\302\244' || printf '\244')"
    cat "$2"
    printf '\r\nlicense=Free to use.\r\n'
  } >"$1"
  cat "$1" >/dev/null  # into the page cache
}
make_document "$work/cp1252.qlx" "$work/cp1252.log" cp1252
make_document "$work/utf8.qlx" "$work/utf8.log" utf8
rm -f "$work/cp1252.log" "$work/utf8.log"

# seconds PROGRAM ARGS...: the best run's CPU time (wall time without perf), in seconds.
seconds() {
  best=
  run=0
  while [ "$run" -lt "$repetitions" ]; do
    time_run "$work/stat" "$@" 2>/dev/null
    t=${cpu:-$wall}
    if less "$best" "$t"; then best=$t; fi
    run=$((run + 1))
  done
  echo "$best"
}

mib() { awk -v bytes="$(wc -c <"$1")" 'BEGIN { printf "%.1f", bytes / 1048576 }'; }

echo "quillory-cli: $cli${baseline:+   baseline: $baseline}"
echo "documents: Windows-1252 $(mib "$work/cp1252.qlx") MiB, UTF-8 $(mib "$work/utf8.qlx") MiB;" \
  "load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo unknown), best of $repetitions runs," \
  "$([ -n "$use_perf" ] && echo "CPU" || echo "wall") seconds"
printf '%-12s %10s %10s %12s' command cp1252 utf8 "utf8 speed"
[ -n "$baseline" ] && printf ' %10s %12s' baseline "vs baseline"
printf '\n'
# measure PROGRAM DOC: the best time of the command on DOC.
measure() {
  case $command in
    set) seconds "$1" set "$2" "version=1.$run_number" ;;
    *) seconds "$1" $command "$2" ;;
  esac
}
for command in "render txt" "render html" "render nfo" "set"; do
  run_number=1
  w=$(measure "$cli" "$work/cp1252.qlx")
  u=$(measure "$cli" "$work/utf8.qlx")
  printf '%-12s %10s %10s %11sx' "$command" "$w" "$u" "$(awk -v w="$w" -v u="$u" 'BEGIN { printf "%.2f", w / u }')"
  if [ -n "$baseline" ]; then
    b=$(measure "$baseline" "$work/cp1252.qlx")
    printf ' %10s %11sx' "$b" "$(awk -v w="$w" -v b="$b" 'BEGIN { printf "%.2f", b / w }')"
  fi
  printf '\n'
done
echo "utf8 speed: the UTF-8 document's speed over the Windows-1252 one's (goal: 0.5 or more);"
echo "vs baseline: this program's speed on the Windows-1252 document over the baseline's (goal: 1.0, within noise)"
