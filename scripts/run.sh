#!/usr/bin/env bash
# Builds the desktop program and quillory-cli (build/src/quillory-cli) and starts the desktop program: with
# examples/demo.qlx when given no argument, with the given arguments otherwise. Installs what the build needs when it is missing (Debian packages).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
source "$root/scripts/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)" --target quillory quillory-cli

if (($# == 0)); then set -- "$root/examples/demo.qlx"; fi
exec "$build/src/app/quillory" "$@"
