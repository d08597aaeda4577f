#!/bin/sh
# A project's release pipeline, run from its repository's root: the tarball of HEAD and the four READMEs of
# release.qlx in dist/, with the version git describe gives, that version's section of CHANGELOG.md and the
# tarball's size and digests. release.qlx itself is not changed. Arguments go to render: `release.sh --check`
# writes no README and fails when one in dist/ would change (a CI gate). README.md shows these eight lines.
set -eu
version=$(git describe --tags --always)
tarball=dist/app-$version.tar.gz
mkdir -p dist
git archive --prefix="app-$version/" -o "$tarball" HEAD
eval "$(quillory-cli stamp --dry-run --format env release.qlx "$tarball")"
quillory-cli render all release.qlx -o dist/ "$@" --set "version=$version" --set "changelog=@CHANGELOG.md#$version" \
  --set "size=$size" --set "md5=$md5" --set "sha256=$sha256"
