#!/bin/sh
# The big-document path, as whole quillory-cli processes with the page cache warm: a project whose change
# log is 64 MiB, and one with 8 times that. Each command runs REPETITIONS times on each document; the best
# run counts. Prints the wall and CPU time (user + system) of the best run, the throughput over the
# document's size in MiB/s, and the ratio of the 8x document's time to the 1x one's.
#   render txt|html|nfo DOC        the page written to /dev/null   (goal: 300 MiB/s or more)
#   set DOC version=...            read, change one key, save with fsync   (goal: 150 MiB/s or more)
#   8x the data                    at most 9x the time
#
# usage: bench/big_document.sh [FOLDER] [REPETITIONS]
#   FOLDER       where the documents are made (default: $TMPDIR or /tmp); they are deleted at the end
#   REPETITIONS  runs of each command on each document (default: 5)
#   QUILLORY_CLI the program to measure (default: build-rel/src/quillory-cli beside this script, else
#                build/src/quillory-cli)
# Wall and CPU time come from `perf stat` when it is installed (CPU time is the steadier figure on a busy
# machine), else wall time from date(1).
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/timing.sh"
find_cli big_document.sh

work=$(mktemp -d "$folder/quillory-big-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

# The change log: numbered entries with markup characters and Windows-1252 letters, stored as one line
# whose line breaks are 0xA4 bytes, cut to exactly 64 MiB.
awk 'BEGIN {
  ORS = "\244"
  for (i = 0; i < 800000; i++)
    print "- Fixed the curve drawing code that was slow & wrong <see tracker> in caf\351 na\357ve mode (" i ")"
}' | head -c 67108864 >"$work/changelog"

# make_document FILE COPIES: a project whose change log is COPIES times the one above.
make_document() {
  {
    printf '[html]\r\nc1=#f5f5f5\r\nc2=#000000\r\nchr=iso-8859-1\r\n[readme]\r\n'
    printf 'program_name=Big Document\r\nversion=1.0\r\ncopyright=Example Team \251 2006\r\n'
    printf 'descript_uses=Draws curves.\244Quickly.\r\nchangelog='
    i=0
    while [ "$i" -lt "$2" ]; do
      [ "$i" -eq 0 ] || printf '\244'
      cat "$work/changelog"
      i=$((i + 1))
    done
    printf '\r\nlicense=Free to use.\r\n'
  } >"$1"
  cat "$1" >/dev/null  # into the page cache
}
make_document "$work/x1.qlx" 1
make_document "$work/x8.qlx" 8
rm -f "$work/changelog"

# measure COMMAND...: sets wall_s and cpu_s to the best run's figures (cpu_s is empty without perf).
measure() {
  wall_s=
  cpu_s=
  run=0
  while [ "$run" -lt "$repetitions" ]; do
    time_run "$work/stat" "$@"
    if less "$wall_s" "$wall"; then wall_s=$wall; fi
    if [ -n "$cpu" ] && less "$cpu_s" "$cpu"; then cpu_s=$cpu; fi
    run=$((run + 1))
  done
}

mib() { awk -v bytes="$(wc -c <"$1")" 'BEGIN { printf "%.1f", bytes / 1048576 }'; }
rate() { awk -v m="$1" -v s="$2" 'BEGIN { if (s > 0) printf "%.0f", m / s; else print "-" }'; }

echo "quillory-cli: $cli"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo unknown), best of $repetitions runs"
printf '%-12s %9s %9s %9s %9s %9s\n' command "doc MiB" "wall s" "MiB/s" "cpu s" "cpu MiB/s"
for command in "render txt" "render html" "render nfo" "set"; do
  for copies in 1 8; do
    doc=$work/x$copies.qlx
    case $command in
      set) measure "$cli" set "$doc" "version=1.$copies" ;;
      *) measure "$cli" $command "$doc" ;;
    esac
    size=$(mib "$doc")
    printf '%-12s %9s %9s %9s %9s %9s\n' "$command" "$size" "$wall_s" "$(rate "$size" "$wall_s")" \
      "${cpu_s:--}" "$(rate "$size" "${cpu_s:-0}")"
    eval "wall_$copies=\$wall_s cpu_$copies=\${cpu_s:-0}"
  done
  awk -v w1="$wall_1" -v w8="$wall_8" -v c1="$cpu_1" -v c8="$cpu_8" -v name="$command" 'BEGIN {
    printf "%-12s 8x/1x time: wall %.2f", name, w8 / w1
    if (c1 > 0) printf ", cpu %.2f", c8 / c1
    printf "   (goal: at most 9)\n"
  }'
done
echo "goals: render 300 MiB/s or more, set 150 MiB/s or more"
