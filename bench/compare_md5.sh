#!/bin/sh
# Compares the throughput of `quillory-cli md5` with `openssl md5` and `md5sum` on one 1 GiB file held in
# the page cache, and checks that all three agree on the digest.
#
# usage: bench/compare_md5.sh [FOLDER] [REPETITIONS]
#   FOLDER       where the file is made (default: $TMPDIR or /tmp); it is deleted at the end
#   REPETITIONS  runs of each tool, the best one counts (default: 5)
#   QUILLORY_CLI the program to measure (default: build/src/quillory-cli beside this script)
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
cli=${QUILLORY_CLI:-$here/../build/src/quillory-cli}
size_mib=${QUILLORY_BENCH_MIB:-1024}

for tool in "$cli" openssl md5sum; do
  command -v "$tool" >/dev/null 2>&1 || { echo "compare_md5.sh: $tool not found" >&2; exit 2; }
done

file=$(mktemp "$folder/quillory-md5-bench.XXXXXX")
out_file=$(mktemp)
trap 'rm -f "$file" "$out_file"' EXIT INT TERM
. "$here/timing.sh"
random_file "$file" "$size_mib"

digest_of() { digits 32; }

bytes=$((size_mib * 1024 * 1024))

# Interleaved so that a change in the machine's load falls on all three alike.
q_best=; o_best=; m_best=
round=0
while [ "$round" -lt 2 ]; do
  t=$(best_ns "$cli" md5 "$file"); q_digest=$(digest_of)
  if [ -z "$q_best" ] || [ "$t" -lt "$q_best" ]; then q_best=$t; fi
  t=$(best_ns openssl md5 "$file"); o_digest=$(digest_of)
  if [ -z "$o_best" ] || [ "$t" -lt "$o_best" ]; then o_best=$t; fi
  t=$(best_ns md5sum "$file"); m_digest=$(digest_of)
  if [ -z "$m_best" ] || [ "$t" -lt "$m_best" ]; then m_best=$t; fi
  round=$((round + 1))
done

if [ "$q_digest" != "$o_digest" ] || [ "$q_digest" != "$m_digest" ]; then
  echo "compare_md5.sh: the digests differ: quillory $q_digest, openssl $o_digest, md5sum $m_digest" >&2
  exit 1
fi

echo "file: $size_mib MiB in the page cache, best of $((2 * repetitions)) runs each; digest $q_digest"
printf '%-14s %6s MB/s\n' "quillory-cli" "$(mbs "$q_best")" "openssl md5" "$(mbs "$o_best")" "md5sum" "$(mbs "$m_best")"
awk -v q="$q_best" -v o="$o_best" -v m="$m_best" 'BEGIN {
  printf "quillory-cli / openssl md5: %.3f\n", o / q
  printf "quillory-cli / md5sum:      %.3f\n", m / q
}'
