#!/usr/bin/env bash
# Times the desktop program's start: from launch until its main window is mapped (viewable) on a virtual
# X display with a window manager, against a bare QMainWindow with a QTabWidget and a menu bar
# (bench/bare_window.cpp) started the same way. Runs the two alternately, RUNS times each after one
# uncounted warm-up start of each, and prints both medians and their ratio.
# Usage: bench/start_window.sh [RUNS]     (default 5; builds a Release tree in build-bench/)
# Environment: BUILD=folder to use another build tree, NO_WM=1 to time without a window manager.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-5}"
build="${BUILD:-$root/build-bench}"
source "$root/scripts/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLORY_BUILD_BENCH=ON \
  -DQUILLORY_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target quillory quillory_bare_window quillory_wait_window >/dev/null
program="$build/src/app/quillory"
bare="$build/bench/quillory_bare_window"
wait_window="$build/bench/quillory_wait_window"

# A private display, and XDG folders in a scratch folder: the program's first start registers its file
# type there, never in the user's home.
scratch="$(mktemp -d)"
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$scratch/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=":$display"
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
if [ -z "${NO_WM:-}" ]; then
  openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
  pids+=($!)
  sleep 0.5
fi
for folder in data config cache runtime; do mkdir -p "$scratch/$folder"; done
chmod 700 "$scratch/runtime"
export XDG_DATA_HOME="$scratch/data" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
export XDG_RUNTIME_DIR="$scratch/runtime"
unset QT_QPA_PLATFORM

# Milliseconds from launch until a viewable window whose title begins with the text exists.
time_start() { "$wait_window" "$@" 2>/dev/null || { echo "$2 mapped no window \"$1\"" >&2; exit 1; }; }

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

time_start 'Bare window' "$bare" >/dev/null
time_start 'Quillory v' "$program" >/dev/null
bare_times=()
program_times=()
for _ in $(seq "$runs"); do
  bare_times+=("$(time_start 'Bare window' "$bare")")
  program_times+=("$(time_start 'Quillory v' "$program")")
done
bare_median="$(median "${bare_times[@]}")"
program_median="$(median "${program_times[@]}")"
echo "bare window: ${bare_times[*]} ms, median $bare_median ms"
echo "quillory:    ${program_times[*]} ms, median $program_median ms"
awk -v p="$program_median" -v b="$bare_median" 'BEGIN { printf "ratio: %.2fx (goal: at most 1.50x)\n", p / b }'
