#!/bin/sh
# Compares `quillory-cli sha256` with `openssl sha256` and `sha256sum` on one 512 MiB file held in the page
# cache, and times `quillory-cli stamp` (size, MD5 and SHA-256 in one read) against the slower of
# `quillory-cli md5` and `openssl sha256` alone. Checks that every tool agrees on the digests.
#
# usage: bench/compare_sha256.sh [FOLDER] [REPETITIONS]
#   FOLDER        where the file is made (default: $TMPDIR or /tmp); it is deleted at the end
#   REPETITIONS   runs of each tool per round, the best one counts (default: 5)
#   QUILLORY_CLI  the program to measure (default: build/src/quillory-cli beside this script)
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
cli=${QUILLORY_CLI:-$here/../build/src/quillory-cli}
size_mib=${QUILLORY_BENCH_MIB:-512}

for tool in "$cli" openssl sha256sum; do
  command -v "$tool" >/dev/null 2>&1 || { echo "compare_sha256.sh: $tool not found" >&2; exit 2; }
done

file=$(mktemp "$folder/quillory-sha256-bench.XXXXXX")
project=$(mktemp "$folder/quillory-stamp-bench.XXXXXX")
out_file=$(mktemp)
trap 'rm -f "$file" "$project" "$out_file"' EXIT INT TERM
printf '[readme]\r\nprogram_name=Bench\r\n' >"$project"
. "$here/timing.sh"
random_file "$file" "$size_mib"

# Interleaved rounds, so that a change in the machine's load falls on every tool alike.
q=; o=; s=; m=; b=
round=0
while [ "$round" -lt 2 ]; do
  q=$(min "$q" "$(best_ns "$cli" sha256 "$file")"); q_sha=$(digits 64)
  o=$(min "$o" "$(best_ns openssl sha256 "$file")"); o_sha=$(digits 64)
  s=$(min "$s" "$(best_ns sha256sum "$file")"); s_sha=$(digits 64)
  m=$(min "$m" "$(best_ns "$cli" md5 "$file")"); m_md5=$(digits 32)
  b=$(min "$b" "$(best_ns "$cli" stamp "$project" "$file")"); b_md5=$(digits 32); b_sha=$(digits 64)
  round=$((round + 1))
done

if [ "$q_sha" != "$o_sha" ] || [ "$q_sha" != "$s_sha" ]; then
  echo "compare_sha256.sh: the digests differ: quillory $q_sha, openssl $o_sha, sha256sum $s_sha" >&2
  exit 1
fi
if [ "$b_sha" != "$q_sha" ] || [ "$b_md5" != "$m_md5" ]; then
  echo "compare_sha256.sh: stamp's digests differ: $b_md5 $b_sha" >&2
  exit 1
fi

bytes=$((size_mib * 1024 * 1024))
echo "file: $size_mib MiB in the page cache, best of $((2 * repetitions)) runs each; sha256 $q_sha"
printf '%-24s %6s MB/s\n' "quillory-cli sha256" "$(mbs "$q")" "openssl sha256" "$(mbs "$o")" \
  "sha256sum" "$(mbs "$s")" "quillory-cli md5" "$(mbs "$m")"
printf '%-24s %6s MB/s\n' "quillory-cli stamp" "$(mbs "$b")"
awk -v q="$q" -v o="$o" 'BEGIN { printf "quillory-cli sha256 speed / openssl sha256: %.3f (at least 0.95)\n", o / q }'
awk -v b="$b" -v m="$m" -v o="$o" 'BEGIN {
  slower = m > o ? m : o
  printf "stamp time / slower of quillory-cli md5 and openssl sha256: %.3f (at most 1.15)\n", b / slower
}'
