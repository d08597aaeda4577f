#!/bin/sh
# Compares `quillory-cli render md` with cmark-gfm on one big change log, the page cache warm: a project
# whose change log is 64 MiB of Keep-a-Changelog sections in mixed scripts (lists, headings, `code`,
# links, emphasis, a table, a fenced block, raw HTML), against cmark-gfm writing the same text (as
# `quillory-cli get` gives it) back as CommonMark. Each command runs REPETITIONS times in interleaved
# rounds; the best run counts. Prints wall and CPU time (user + system) and the ratio of quillory-cli's
# speed to cmark-gfm's (goal: 0.8 or more), against `cmark-gfm -t commonmark` and against cmark-gfm with
# the four extensions GitHub uses, which quillory-cli reads the text with; and quillory-cli's peak
# resident memory (with /usr/bin/time).
#
# usage: bench/compare_markdown.sh [FOLDER] [REPETITIONS]
#   FOLDER       where the files are made (default: $TMPDIR or /tmp); they are deleted at the end
#   REPETITIONS  runs of each command (default: 3)
#   QUILLORY_CLI the program to measure (default: build-rel/src/quillory-cli beside this script, else
#                build/src/quillory-cli)
#   QUILLORY_BENCH_MIB  the size of the change log in MiB (default: 64)
set -eu

folder=${1:-${TMPDIR:-/tmp}}
repetitions=${2:-3}
mib=${QUILLORY_BENCH_MIB:-64}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/timing.sh"
find_cli compare_markdown.sh
command -v cmark-gfm >/dev/null 2>&1 || { echo "compare_markdown.sh: cmark-gfm not found" >&2; exit 2; }

work=$(mktemp -d "$folder/quillory-md-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM

# The change log: numbered release sections, each the same mix of scripts and Markdown, until it holds
# the size asked for.
LC_ALL=C awk -v bytes=$((mib * 1048576)) 'BEGIN {
  for (n = 0; size < bytes; n++) {
    v = sprintf("%d.%d.%d", int(n / 100), int(n / 10) % 10, n % 10)
    s = "## [" v "] - 2026-05-02\n\n### Added\n"
    s = s "- `pebble compact --dry-run` prints what a compaction would reclaim ([#" n "](https://github.com/pebblestore/pebble/issues/" n ")).\n"
    s = s "- Ελληνικά: η εντολή `pebble scan` δέχεται *εύρος* κλειδιών.\n"
    s = s "- Русский: **быстрее** импорт CSV, см. <https://pebblestore.example.org/docs/import>.\n"
    s = s "- 日本語: `Store::get<T>()` は `std::optional<T>` を返します。\n"
    s = s "- العربية: دعم ~~القديم~~ الجديد للمفاتيح الطويلة.\n"
    s = s "- עברית and हिन्दी and 한국어 in one line, with an emoji 🚀 and café naïve.\n\n"
    s = s "### Fixed\n"
    s = s "1. A crash when a key held a NUL byte (thanks [@mkowalska](https://github.com/mkowalska)).\n"
    s = s "2. Windows paths such as `C:\\Data\\pebble` keep their backslashes; see www.example.org/faq.\n\n"
    s = s "| Platform | Status |\n|---|---|\n| Linux | ✓ |\n| Windows | ✗ <b>pending</b> |\n\n"
    s = s "```sh\npebble stats --json | jq .keys\n```\n\n"
    s = s "[" v "]: https://github.com/pebblestore/pebble/compare/v" v "...v" v "\n\n"
    printf "%s", s
    size += length(s)
  }
}' >"$work/changelog.md"

# The project: made by quillory-cli itself when its record holds the text; otherwise (a record of
# Windows-1252 letters) the UTF-8 bytes are written into the document as they are, line breaks as 0xA4,
# and both programs get the text the record then holds.
doc=$work/project.qlx
printf '[readme]\r\nprogram_name=Pebblestore\r\nversion=1.4.0\r\n' >"$doc"
if "$cli" set "$doc" "changelog=@$work/changelog.md" 2>/dev/null; then
  stored="the change log as written"
else
  {
    printf '[readme]\r\nprogram_name=Pebblestore\r\nversion=1.4.0\r\nchangelog='
    tr '\n' '\244' <"$work/changelog.md"
    printf '\r\n'
  } >"$doc"
  stored="its UTF-8 bytes read as Windows-1252 letters (the record holds no other)"
fi
rm -f "$work/changelog.md"
"$cli" get "$doc" changelog >"$work/text.md"
cat "$doc" "$work/text.md" >/dev/null  # into the page cache

"$cli" render md "$doc" -o "$work/out.md"
if ! grep -q '^#### ' "$work/out.md"; then
  echo "compare_markdown.sh: the change log was not written as Markdown (shown as code?)" >&2
  exit 1
fi

# measure NAME COMMAND...: one run; keeps the best wall and CPU time of NAME in best_wall_NAME and
# best_cpu_NAME (CPU time is empty without perf).
measure() {
  name=$1
  shift
  time_run "$work/stat" "$@"
  eval "old_wall=\${best_wall_$name:-} old_cpu=\${best_cpu_$name:-}"
  if less "$old_wall" "$wall"; then eval "best_wall_$name=$wall"; fi
  if [ -n "$cpu" ] && less "$old_cpu" "$cpu"; then eval "best_cpu_$name=$cpu"; fi
}

round=0
while [ "$round" -lt "$repetitions" ]; do
  measure quillory "$cli" render md "$doc" -o /dev/null
  measure cmark cmark-gfm -t commonmark "$work/text.md"
  measure cmark_gfm cmark-gfm -e table -e strikethrough -e autolink -e tasklist -t commonmark "$work/text.md"
  round=$((round + 1))
done

text_mib=$(awk -v b="$(wc -c <"$work/text.md")" 'BEGIN { printf "%.1f", b / 1048576 }')
echo "quillory-cli: $cli"
echo "change log: $text_mib MiB of UTF-8 text, $stored"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg 2>/dev/null || echo unknown), best of $repetitions runs"
printf '%-76s %8s %8s\n' command "wall s" "cpu s"
row() { printf '%-76s %8s %8s\n' "$1" "$2" "${3:--}"; }
row "quillory-cli render md PROJECT" "$best_wall_quillory" "${best_cpu_quillory:-}"
row "cmark-gfm -t commonmark TEXT" "$best_wall_cmark" "${best_cpu_cmark:-}"
row "cmark-gfm -e table -e strikethrough -e autolink -e tasklist -t commonmark TEXT" \
  "$best_wall_cmark_gfm" "${best_cpu_cmark_gfm:-}"
# ratio NAME WALL CPU: quillory-cli's speed over that of NAME, which took WALL and CPU seconds.
ratio() {
  awk -v q="$best_wall_quillory" -v qc="${best_cpu_quillory:-0}" -v c="$2" -v cc="${3:-0}" -v name="$1" 'BEGIN {
    printf "speed of quillory-cli / %s: wall %.2f", name, c / q
    if (qc > 0 && cc > 0) printf ", cpu %.2f", cc / qc
    printf "   (goal: 0.8 or more)\n"
  }'
}
if [ -x /usr/bin/time ]; then
  rss=$(/usr/bin/time -f %M "$cli" render md "$doc" -o /dev/null 2>&1 >/dev/null | tail -n 1)
  doc_mib=$(awk -v b="$(wc -c <"$doc")" 'BEGIN { printf "%.1f", b / 1048576 }')
  echo "peak memory of quillory-cli render md: $((rss / 1024)) MiB for a $doc_mib MiB document" \
    "(bound: 4 x document + 64 MiB)"
fi
ratio "cmark-gfm -t commonmark" "$best_wall_cmark" "${best_cpu_cmark:-}"
ratio "cmark-gfm with the four extensions" "$best_wall_cmark_gfm" "${best_cpu_cmark_gfm:-}"
