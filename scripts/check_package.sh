#!/usr/bin/env bash
# Checks a built quillory .deb: unpacks it into a temporary root and runs the unpacked quillory-cli, checks
# the control fields, the maintainer scripts, the hardening of the binaries, the desktop entry, the AppStream
# metadata, the MIME package, the man pages, the shell completions, lintian (no error, no warning, no
# hardening tag; its informational tags are shown), and that the package holds every file `cmake --install`
# puts under /usr (and the files a desktop needs). Fails on the first check that fails; the last line
# counts the checks.
# Usage: scripts/check_package.sh DEB [BUILD_DIR]   (BUILD_DIR: the build folder it was made from, build)
set -euo pipefail
cd "$(dirname "$0")/.."

deb="$1"
build="${2:-build}"
id=io.github.quillory.Quillory
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
root="$work/root"
checks=0

pass() {
  checks=$((checks + 1))
  echo "ok: $*"
}
fail() {
  echo "package check failed: $*" >&2
  exit 1
}

dpkg-deb -x "$deb" "$root"
pass "dpkg-deb -x $(basename "$deb")"

# The control fields.
[ "$(dpkg-deb -f "$deb" Package)" = quillory ] || fail "Package is not quillory"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = amd64 ] || fail "Architecture is not amd64"
[ "$(basename "$deb")" = "quillory_${version}_amd64.deb" ] || fail "the file is not named quillory_${version}_amd64.deb"
for field in Section Priority Maintainer Depends Description; do
  [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the control field $field is missing"
done
dpkg-deb -f "$deb" Depends | grep libqt6widgets6 >/dev/null || fail "Depends does not name the Qt libraries"
[ -z "$(dpkg-deb -f "$deb" Homepage)" ] || fail "a Homepage field is there"
pass "control fields: $(dpkg-deb -f "$deb" Section), $(dpkg-deb -f "$deb" Priority), Depends found by shlibdeps"

# Every file the install rules name is in the package, and the package holds nothing else.
DESTDIR="$work/installed" cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/installed" && find . ! -type d | sed 's|^\.||' | sort) >"$work/installed.list"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\.||' | sort >"$work/package.list"
diff -u "$work/installed.list" "$work/package.list" || fail "dpkg-deb -c differs from the files cmake --install puts under /usr"
for file in /usr/bin/quillory /usr/bin/quillory-cli /usr/share/applications/$id.desktop \
  /usr/share/mime/packages/$id.xml /usr/share/metainfo/$id.metainfo.xml \
  /usr/share/man/man1/quillory.1.gz /usr/share/man/man1/quillory-cli.1.gz \
  /usr/share/bash-completion/completions/quillory-cli /usr/share/zsh/vendor-completions/_quillory-cli \
  /usr/share/fish/vendor_completions.d/quillory-cli.fish /usr/share/doc/quillory/copyright \
  /usr/share/icons/hicolor/scalable/apps/$id.svg /usr/share/icons/hicolor/scalable/mimetypes/application-x-quillory.svg; do
  grep -qx "$file" "$work/package.list" || fail "the package lacks $file"
done
for size in 16 24 32 48 64 128 256; do
  for icon in apps/$id mimetypes/application-x-quillory; do
    grep -qx "/usr/share/icons/hicolor/${size}x${size}/$icon.png" "$work/package.list" ||
      fail "the package lacks the ${size}x${size} $icon.png"
  done
done
pass "dpkg-deb -c lists all $(wc -l <"$work/package.list") installed files"

# No maintainer script: the private plugin folder needs no ldconfig, and nothing else is to be done.
dpkg-deb -e "$deb" "$work/control"
for script in preinst postinst prerm postrm triggers; do
  [ ! -e "$work/control/$script" ] || { cat "$work/control/$script"; fail "the package has a $script"; }
done
pass "no maintainer scripts"

# Every binary of the package hardened: read-only relocations bound at start; the programs call fortified
# functions and are position-independent (lintian checks the plugin's functions below).
plugin="$(find "$root/usr/lib" -name 'libquillory_webview.so')"
[ -n "$plugin" ] || fail "the package lacks the web-view plugin"
case "$plugin" in "$root/usr/lib/"*-linux-gnu/quillory/*) ;; *) fail "the plugin is not in /usr/lib/TRIPLET/quillory" ;; esac
# (readelf's output is taken whole first: grep -q would end the pipe early, which pipefail counts.)
for binary in "$root/usr/bin/quillory" "$root/usr/bin/quillory-cli" "$plugin"; do
  name="$(basename "$binary")"
  grep -q GNU_RELRO <<<"$(readelf -lW "$binary")" || fail "$name has no read-only relocations (relro)"
  grep -Eq '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' <<<"$(readelf -dW "$binary")" ||
    fail "$name is not bound at start (bindnow)"
done
for program in quillory quillory-cli; do
  grep -q '__[a-z_]*_chk' <<<"$(readelf --dyn-syms -W "$root/usr/bin/$program")" ||
    fail "$program calls no fortified function"
  grep -q 'DYN ' <<<"$(readelf -hW "$root/usr/bin/$program")" || fail "$program is not a position-independent executable"
done
pass "relro and bindnow in quillory, quillory-cli and $(basename "$plugin"); fortified functions and PIE in both programs"

# The unpacked programs: stripped, their libraries found, quillory-cli runs.
for program in quillory quillory-cli; do
  file "$root/usr/bin/$program" | grep ", stripped" >/dev/null || fail "$program is not stripped"
  if ldd "$root/usr/bin/$program" | grep "not found" >/dev/null; then fail "$program misses a library"; fi
done
pass "both programs stripped, their libraries found"
cli="$root/usr/bin/quillory-cli"
"$cli" --version | grep -F "$version" >/dev/null || fail "quillory-cli --version does not print $version"
pass "quillory-cli --version: $("$cli" --version)"
"$cli" render txt examples/demo.qlx >"$work/demo.txt" || fail "the unpacked quillory-cli cannot render examples/demo.qlx"
"$build/src/quillory-cli" render txt examples/demo.qlx | cmp -s - "$work/demo.txt" ||
  fail "the unpacked quillory-cli renders other bytes than the built one"
grep -q Tidewater "$work/demo.txt" || fail "the rendered README lacks the program's name"
pass "quillory-cli render txt examples/demo.qlx: $(wc -c <"$work/demo.txt") bytes"

# The desktop's files.
desktop="$root/usr/share/applications/$id.desktop"
desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || { cat "$work/desktop.log"; fail "desktop-file-validate"; }
if grep -E "error|warning" "$work/desktop.log"; then fail "desktop-file-validate warns"; fi
pass "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -qF "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's release is not $version"
pass "appstreamcli validate --no-net"
mime="$root/usr/share/mime/packages/$id.xml"
xmllint --noout "$mime" || fail "xmllint on the MIME package"
grep -q '<mime-type type="application/x-quillory">' "$mime" && grep -q '<glob pattern="\*.qlx"/>' "$mime" ||
  fail "the MIME package does not declare application/x-quillory for *.qlx"
pass "xmllint on the MIME package"
for page in quillory quillory-cli; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || { echo "$warnings"; fail "man --warnings on $page.1"; }
done
pass "man --warnings -l on both man pages"

# The completion offers the commands, the formats after a comma, the keys (asked of the unpacked quillory-cli),
# the project files, and files after KEY=@ with = among the word breaks (readline makes "=" a word of its own
# and replaces what follows it). zsh and fish have completions of their own.
completions="$(cd examples && PATH="$root/usr/bin:$PATH" bash -c '
  source /usr/share/bash-completion/bash_completion
  source "$1"
  compopt() { :; }
  complete_line() { COMP_LINE=$1; COMP_POINT=${#1}; local split=${1//=/ = }; read -ra COMP_WORDS <<<"$split"
    [[ $1 == *" " ]] && COMP_WORDS+=(""); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
    _quillory_cli quillory-cli "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"; echo "${COMPREPLY[*]}"; }
  complete_line "quillory-cli s"
  complete_line "quillory-cli render txt,h"
  complete_line "quillory-cli get demo.qlx sha"
  complete_line "quillory-cli render txt d"
  complete_line "quillory-cli render all demo.qlx --set vers"
  complete_line "quillory-cli set demo.qlx news=@dem"' _ "$root/usr/share/bash-completion/completions/quillory-cli")"
[ "$completions" = "$(printf 'set stamp sha256 size\ntxt,html txt,html-preview\nsha256\ndemo.qlx\nversion=\n@demo.qlx')" ] ||
  { echo "$completions"; fail "the bash completion of quillory-cli"; }
pass "bash completion of quillory-cli"

# lintian: no error, no warning, and none of its hardening tags (informational ones); every tag it gives is
# printed.
lintian --display-info --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -q "^E:" "$work/lintian.log"; then fail "lintian reports errors"; fi
if grep -q "^W:" "$work/lintian.log"; then fail "lintian reports warnings"; fi
if grep -Eq "hardening-no-|maintscript-calls-ldconfig" "$work/lintian.log"; then fail "lintian reports a hardening tag"; fi
pass "lintian: no error, no warning, $(grep -c '^I:' "$work/lintian.log" || true) informational tags"

echo "package: $checks checks passed"
