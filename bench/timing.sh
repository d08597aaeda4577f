# Shared by the compare_*.sh scripts (sourced): making the test file and timing commands.
# The sourcing script sets $repetitions, and $out_file, which receives each command's output.

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
