#!/bin/sh
# What the progress line costs: `quillory-cli md5` and `quillory-cli stamp --dry-run` on one 1 GiB file in
# the page cache, each run on a pseudo-terminal (script -qc) with the progress line and with -q, interleaved
# in the same run. Fails when the line costs 2% of the digest time or more.
#
# usage: bench/progress_cost.sh [FOLDER] [REPETITIONS]
#   FOLDER       where the file is made (default: $TMPDIR or /tmp); it is deleted at the end
#   REPETITIONS  runs of each command in a round, the best one counts (default: 5)
#   QUILLORY_CLI the program to measure (default: build/src/quillory-cli beside this script)
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
cli=${QUILLORY_CLI:-$here/../build/src/quillory-cli}
size_mib=${QUILLORY_BENCH_MIB:-1024}
command -v script >/dev/null 2>&1 || { echo "progress_cost.sh: script (util-linux) not found" >&2; exit 2; }

file=$(mktemp "$folder/quillory-progress-bench.XXXXXX")
out_file=$(mktemp)
project=$(mktemp "$folder/quillory-progress-bench.XXXXXX.qlx")
trap 'rm -f "$file" "$out_file" "$project"' EXIT INT TERM
. "$here/timing.sh"
random_file "$file" "$size_mib"
printf '[readme]\r\nprogram_name=Bench\r\n' >"$project"

# on_terminal ARGS...: quillory-cli ARGS with standard error (and output) on a new pseudo-terminal.
on_terminal() { script -qec "$cli $*" /dev/null; }

for command in "md5" "stamp --dry-run $project"; do
  shown=; quiet=
  round=0
  while [ "$round" -lt 3 ]; do
    shown=$(min "$shown" "$(best_ns on_terminal $command "$file")")
    grep -q '100%' "$out_file" || { echo "progress_cost.sh: no progress line from $command" >&2; exit 1; }
    quiet=$(min "$quiet" "$(best_ns on_terminal $command -q "$file")")
    if grep -q '%' "$out_file"; then echo "progress_cost.sh: -q showed a progress line" >&2; exit 1; fi
    round=$((round + 1))
  done
  name=${command%% *}
  awk -v name="$name" -v shown="$shown" -v quiet="$quiet" 'BEGIN {
    cost = (shown - quiet) / quiet * 100
    printf "%-6s with progress %.3f s, with -q %.3f s: the line costs %+.2f%%\n", name, shown / 1e9, quiet / 1e9,
      cost
    exit cost < 2 ? 0 : 1 }' || { echo "progress_cost.sh: the progress line of $name costs 2% or more" >&2; exit 1; }
done
