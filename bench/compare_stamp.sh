#!/bin/sh
# Compares the wall time of `quillory-cli stamp` (size and md5 of a release file in one read, then the
# project document saved) with `quillory-cli md5` on the same 512 MiB file held in the page cache, checks
# that both give the same digest, and fails when stamp takes more than 1.15 times as long.
#
# usage: bench/compare_stamp.sh [FOLDER] [REPETITIONS]
#   FOLDER       where the files are made (default: $TMPDIR or /tmp); they are deleted at the end
#   REPETITIONS  runs of each command per round, the best one counts (default: 5)
#   QUILLORY_CLI the program to measure (default: build/src/quillory-cli beside this script)
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
cli=${QUILLORY_CLI:-$here/../build/src/quillory-cli}
size_mib=512
limit=1.15

for tool in "$cli" openssl; do
  command -v "$tool" >/dev/null 2>&1 || { echo "compare_stamp.sh: $tool not found" >&2; exit 2; }
done

file=$(mktemp "$folder/quillory-stamp-bench.XXXXXX")
project=$(mktemp "$folder/quillory-stamp-bench.XXXXXX.qlx")
output=$(mktemp)
trap 'rm -f "$file" "$project" "$output"' EXIT INT TERM
printf '[readme]\r\nprogram_name=Bench\r\n' >"$project"

# Pseudo-random bytes, quickly: AES-CTR over zeros.
head -c "${size_mib}M" /dev/zero |
  openssl enc -aes-128-ctr -nosalt -pass pass:quillory -pbkdf2 2>/dev/null |
  head -c "${size_mib}M" >"$file"
cat "$file" >/dev/null  # into the page cache

now_ns() { date +%s%N; }

# best_ns COMMAND...: the shortest wall time of the runs, in nanoseconds; the output goes to $output.
best_ns() {
  best=
  i=0
  while [ "$i" -lt "$repetitions" ]; do
    start=$(now_ns)
    "$@" >"$output"
    end=$(now_ns)
    elapsed=$((end - start))
    if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    i=$((i + 1))
  done
  echo "$best"
}

digest_of() { grep -oiE '[0-9a-f]{32}' "$output" | head -n 1 | tr 'A-F' 'a-f'; }

# Interleaved so that a change in the machine's load falls on both alike.
md5_best=; stamp_best=
round=0
while [ "$round" -lt 2 ]; do
  t=$(best_ns "$cli" md5 "$file"); md5_digest=$(digest_of)
  if [ -z "$md5_best" ] || [ "$t" -lt "$md5_best" ]; then md5_best=$t; fi
  t=$(best_ns "$cli" stamp "$project" "$file"); stamp_digest=$(digest_of)
  if [ -z "$stamp_best" ] || [ "$t" -lt "$stamp_best" ]; then stamp_best=$t; fi
  round=$((round + 1))
done

if [ "$md5_digest" != "$stamp_digest" ]; then
  echo "compare_stamp.sh: the digests differ: md5 $md5_digest, stamp $stamp_digest" >&2
  exit 1
fi

echo "file: $size_mib MiB in the page cache, best of $((2 * repetitions)) runs each; digest $md5_digest"
awk -v m="$md5_best" -v s="$stamp_best" -v limit="$limit" 'BEGIN {
  printf "quillory-cli md5:   %8.1f ms\n", m / 1e6
  printf "quillory-cli stamp: %8.1f ms\n", s / 1e6
  ratio = s / m
  printf "stamp / md5: %.3f (limit %.2f)\n", ratio, limit
  exit ratio > limit ? 1 : 0
}'
