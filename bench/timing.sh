# Shared by the bench scripts (sourced): finding the program, making the test file and timing commands.
# The sourcing script sets $here (this folder), $repetitions, and $out_file, which receives each command's
# output where best_ns runs it.

# find_cli SCRIPT: sets cli to $QUILLORY_CLI, else the Release build's quillory-cli, else the default
# build's; exits with status 2, naming SCRIPT, when there is none.
find_cli() {
  cli=${QUILLORY_CLI:-}
  if [ -z "$cli" ]; then
    cli=$here/../build-rel/src/quillory-cli
    [ -x "$cli" ] || cli=$here/../build/src/quillory-cli
  fi
  [ -x "$cli" ] || { echo "$1: $cli not found (set QUILLORY_CLI)" >&2; exit 2; }
}

# use_perf is 1 when perf can count a command's CPU time, else empty.
use_perf=
if command -v perf >/dev/null 2>&1 && perf stat -x, -e task-clock true >/dev/null 2>&1; then use_perf=1; fi

# time_run STAT_FILE COMMAND...: runs COMMAND once, its output discarded, and sets wall and cpu to its wall
# and CPU seconds (cpu is empty without perf, which writes STAT_FILE).
time_run() {
  stat_file=$1
  shift
  if [ -n "$use_perf" ]; then
    perf stat -x, -e task-clock,duration_time -o "$stat_file" -- "$@" >/dev/null
    cpu=$(awk -F, '$3 ~ /^task-clock/ { printf "%.4f", $1 / 1000 }' "$stat_file")
    wall=$(awk -F, '$3 ~ /^duration_time/ { printf "%.4f", $1 / 1e9 }' "$stat_file")
  else
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    wall=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", (b - a) / 1e9 }')
    cpu=
  fi
}

# less A B: whether A is empty or B is smaller than A (decimal numbers).
less() { [ -z "$1" ] || awk -v a="$2" -v b="$1" 'BEGIN { exit !(a < b) }'; }

now_ns() { date +%s%N; }

# random_file FILE MIB: MIB mebibytes of pseudo-random bytes (AES-CTR over zeros, quick), then read once
# so that the file is in the page cache.
random_file() {
  head -c "${2}M" /dev/zero |
    openssl enc -aes-128-ctr -nosalt -pass pass:quillory -pbkdf2 2>/dev/null |
    head -c "${2}M" >"$1"
  cat "$1" >/dev/null
}

# best_ns COMMAND...: the shortest wall time of $repetitions runs, in nanoseconds.
best_ns() {
  best=
  i=0
  while [ "$i" -lt "$repetitions" ]; do
    start=$(now_ns)
    "$@" >"$out_file"
    end=$(now_ns)
    elapsed=$((end - start))
    if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    i=$((i + 1))
  done
  echo "$best"
}

# min A B: the smaller of two numbers, where A may be empty.
min() { if [ -z "$1" ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi; }

# digits N: the first run of N hexadecimal digits in the last output, in lower case.
digits() { grep -oiE "[0-9a-f]{$1}" "$out_file" | head -n 1 | tr 'A-F' 'a-f'; }

# mbs NS: the throughput over $bytes bytes in NS nanoseconds, in MB/s.
mbs() { awk -v b="$bytes" -v ns="$1" 'BEGIN { printf "%.0f", b / (ns / 1e9) / 1e6 }'; }
