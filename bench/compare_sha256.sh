#!/bin/sh
# Compares `quillory-cli sha256` with `openssl sha256` and `sha256sum` on one 512 MiB file held in the page
# cache, and times both digests in one read (quillory_file_digests, what stamp does) against the slower of
# `quillory-cli md5` and `openssl sha256` alone. Checks that every tool agrees on the digests.
#
# usage: bench/compare_sha256.sh [FOLDER] [REPETITIONS]
#   FOLDER        where the file is made (default: $TMPDIR or /tmp); it is deleted at the end
#   REPETITIONS   runs of each tool per round, the best one counts (default: 5)
#   QUILLORY_CLI  the program to measure (default: build/src/quillory-cli beside this script)
#   QUILLORY_DIGESTS  the one-read program (default: build/bench/quillory_file_digests; configure with
#                 -DQUILLORY_BUILD_BENCH=ON); its row is left out when it is missing
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-5}
here=$(cd "$(dirname "$0")" && pwd)
cli=${QUILLORY_CLI:-$here/../build/src/quillory-cli}
both=${QUILLORY_DIGESTS:-$here/../build/bench/quillory_file_digests}
size_mib=512

for tool in "$cli" openssl sha256sum; do
  command -v "$tool" >/dev/null 2>&1 || { echo "compare_sha256.sh: $tool not found" >&2; exit 2; }
done
[ -x "$both" ] || both=

file=$(mktemp "$folder/quillory-sha256-bench.XXXXXX")
out_file=$(mktemp)
trap 'rm -f "$file" "$out_file"' EXIT INT TERM

# Pseudo-random bytes, quickly: AES-CTR over zeros.
head -c "${size_mib}M" /dev/zero |
  openssl enc -aes-128-ctr -nosalt -pass pass:quillory -pbkdf2 2>/dev/null |
  head -c "${size_mib}M" >"$file"
cat "$file" >/dev/null  # into the page cache

now_ns() { date +%s%N; }

# best_ns COMMAND...: the shortest wall time of the runs, in nanoseconds; the output goes to $out_file.
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

# The first run of N hexadecimal digits in the output, in lower case.
digits() { grep -oiE "[0-9a-f]{$1}" "$out_file" | head -n 1 | tr 'A-F' 'a-f'; }
min() { if [ -z "$1" ] || [ "$2" -lt "$1" ]; then echo "$2"; else echo "$1"; fi; }

# Interleaved rounds, so that a change in the machine's load falls on every tool alike.
q=; o=; s=; m=; b=
round=0
while [ "$round" -lt 2 ]; do
  q=$(min "$q" "$(best_ns "$cli" sha256 "$file")"); q_sha=$(digits 64)
  o=$(min "$o" "$(best_ns openssl sha256 "$file")"); o_sha=$(digits 64)
  s=$(min "$s" "$(best_ns sha256sum "$file")"); s_sha=$(digits 64)
  m=$(min "$m" "$(best_ns "$cli" md5 "$file")"); m_md5=$(digits 32)
  if [ -n "$both" ]; then
    b=$(min "$b" "$(best_ns "$both" "$file")"); b_md5=$(digits 32); b_sha=$(grep -oE '[0-9a-f]{64}' "$out_file")
  fi
  round=$((round + 1))
done

if [ "$q_sha" != "$o_sha" ] || [ "$q_sha" != "$s_sha" ]; then
  echo "compare_sha256.sh: the digests differ: quillory $q_sha, openssl $o_sha, sha256sum $s_sha" >&2
  exit 1
fi
if [ -n "$both" ] && { [ "$b_sha" != "$q_sha" ] || [ "$b_md5" != "$m_md5" ]; }; then
  echo "compare_sha256.sh: the one-read digests differ: $b_md5 $b_sha" >&2
  exit 1
fi

bytes=$((size_mib * 1024 * 1024))
mbs() { awk -v b="$bytes" -v ns="$1" 'BEGIN { printf "%.0f", b / (ns / 1e9) / 1e6 }'; }
echo "file: $size_mib MiB in the page cache, best of $((2 * repetitions)) runs each; sha256 $q_sha"
printf '%-24s %6s MB/s\n' "quillory-cli sha256" "$(mbs "$q")" "openssl sha256" "$(mbs "$o")" \
  "sha256sum" "$(mbs "$s")" "quillory-cli md5" "$(mbs "$m")"
[ -n "$both" ] && printf '%-24s %6s MB/s\n' "both digests, one read" "$(mbs "$b")"
awk -v q="$q" -v o="$o" 'BEGIN { printf "quillory-cli sha256 speed / openssl sha256: %.3f (at least 0.95)\n", o / q }'
if [ -n "$both" ]; then
  awk -v b="$b" -v m="$m" -v o="$o" 'BEGIN {
    slower = m > o ? m : o
    printf "both digests time / slower single digest:   %.3f (at most 1.15)\n", b / slower
  }'
fi
