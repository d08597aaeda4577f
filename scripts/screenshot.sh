#!/usr/bin/env bash
# Takes the README's screenshot from the real program: builds quillory, starts it with examples/demo.qlx on a
# virtual X display (Xvfb) under the openbox window manager, and saves the screen as docs/screenshot.png.
# Usage: scripts/screenshot.sh
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
source "$root/scripts/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" xvfb x11-utils openbox imagemagick

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" -j "$(nproc)" --target quillory

# A display of our own, a home of our own (the per-user file association goes there, not to the user's).
display=":$((90 + RANDOM % 100))"
home="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT

Xvfb "$display" -screen 0 780x800x24 -nolisten tcp &
pids+=($!)
export DISPLAY="$display" HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/runtime" QTWEBENGINE_DISABLE_SANDBOX=1 LC_ALL=C.UTF-8
mkdir -m 700 "$XDG_RUNTIME_DIR"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
openbox &
pids+=($!)
sleep 1
"$build/src/app/quillory" "$root/examples/demo.qlx" &
pids+=($!)
sleep 6  # the window, its fonts and the browser view settle

mkdir -p "$root/docs"
import -window root "$root/docs/screenshot.png"
echo "saved docs/screenshot.png ($(identify -format '%wx%h' "$root/docs/screenshot.png"))"
