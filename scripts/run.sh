#!/usr/bin/env bash
# Builds the desktop program and starts it: with examples/demo.qlx when given no argument, with the
# given arguments otherwise. Installs what the build needs when it is missing (Debian packages).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"

packages=(cmake ninja-build g++ pkg-config libgtest-dev qt6-base-dev qt6-webengine-dev libgl-dev
          fonts-liberation fonts-dejavu-core)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  echo "run.sh: installing ${missing[*]}" >&2
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j2 --target quillory

if (($# == 0)); then set -- "$root/examples/demo.qlx"; fi
exec "$build/src/app/quillory" "$@"
