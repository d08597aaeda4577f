#!/usr/bin/env bash
# examples/release.sh, the pipeline README.md shows, run as written in a throw-away git repository: from
# nothing to dist/ with the tarball and four READMEs, the committed document left as it was; then again with
# --check, which passes, and after a change to the change log's section, which fails. The README's block is
# the script's body, line for line.
# Usage: release_pipeline_test.sh SOURCE_DIR FOLDER_OF_QUILLORY_CLI
set -euo pipefail
source_dir=$(cd "$1" && pwd)
export PATH="$(cd "$2" && pwd):$PATH"
export GIT_AUTHOR_NAME=Tester GIT_AUTHOR_EMAIL=tester@example.org GIT_COMMITTER_NAME=Tester \
  GIT_COMMITTER_EMAIL=tester@example.org GIT_CONFIG_NOSYSTEM=1 HOME=/nonexistent
script="$source_dir/examples/release.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAILED: $*"
  exit 1
}

diff <(sed -n '/^set -eu$/,$p' "$script") <(sed -n '/^set -eu$/,/^```$/p' "$source_dir/README.md" | sed '$d') ||
  fail "README.md's pipeline differs from examples/release.sh"
[ "$(sed -n '/^set -eu$/,$p' "$script" | wc -l)" -eq 8 ] || fail "the pipeline is not eight lines long"

cd "$work"
git init -q app
cd app
quillory-cli set release.qlx program_name=App copyright="2026 The App Team" 2>/dev/null
printf '# Changelog\n\n## [1.2.0] - 2026-12-01\n\n- Faster start\n- A --check gate\n\n## [1.1.0] - 2026-06-01\n\n- First\n' \
  >CHANGELOG.md
echo 'int main() { return 0; }' >main.c
git add . && git commit -qm "App 1.2.0" && git tag v1.2.0
committed=$(cat release.qlx)

sh "$script" || fail "the first run"
[ "$(cd dist && ls | tr '\n' ' ')" = "README.html README.md README.nfo README.txt app-v1.2.0.tar.gz " ] ||
  fail "dist/ holds $(ls dist)"
tar tzf dist/app-v1.2.0.tar.gz | grep -x 'app-v1.2.0/main.c' >/dev/null || fail "the tarball lacks main.c"
grep -q 'A --check gate' dist/README.txt || fail "README.txt lacks the version's change log"
if grep -q 'First' dist/README.txt; then fail "README.txt holds another version's change log"; fi
grep -q "$(quillory-cli sha256 dist/app-v1.2.0.tar.gz)" dist/README.md || fail "README.md lacks the tarball's SHA-256"
grep -q 'Version.*v1.2.0' dist/README.txt || fail "README.txt lacks the version"
[ "$(cat release.qlx)" = "$committed" ] || fail "the run changed release.qlx"

sh "$script" --check || fail "--check after a run"
sed -i 's/- Faster start/- A faster start/' CHANGELOG.md
git commit -qam "Reword" && git tag -f v1.2.0 >/dev/null
if sh "$script" --check 2>"$work/check.err"; then fail "--check passed with a stale README"; fi
grep -q "README.txt' is out of date" "$work/check.err" || fail "--check did not name README.txt: $(cat "$work/check.err")"
echo "release pipeline: ok"
