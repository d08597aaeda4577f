#!/usr/bin/env bash
# Builds the Debian package quillory_VERSION_amd64.deb with CPack from the build folder (build, the one
# run.sh and test.sh use, unless BUILD_DIR names another) and copies it to the repository's root. The
# programs are built with Debian's hardening flags (QUILLORY_HARDENING, on in optimised builds; a folder
# configured without it is configured again, as RelWithDebInfo with it). Installs what the build and the
# packaging need when it is missing (Debian packages).
# Usage: scripts/package.sh    then: sudo apt install ./quillory_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

build="${BUILD_DIR:-build}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
elif ! grep -qx 'QUILLORY_HARDENING:BOOL=ON' "$build/CMakeCache.txt"; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_SANITIZE=OFF -DQUILLORY_HARDENING=ON
fi
cmake --build "$build" -j "$(nproc)"
rm -rf "$build/package"
(cd "$build" && cpack -G DEB)
deb="$(find "$build/package" -maxdepth 1 -name 'quillory_*.deb' | head -n 1)"
if [ -z "$deb" ]; then
  echo "package.sh: cpack made no quillory_*.deb in $build/package" >&2
  exit 1
fi
cp "$deb" .
echo "package: $(basename "$deb")"
