#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in
# build-fuzz and runs them one after the other, SECONDS each (60 when not given). Each target starts from
# the inputs of tests/fuzz/corpus/NAME; new inputs it finds are kept in build-fuzz/corpus/NAME; the seed
# corpus in the repository is never written. Fails on the first crash, sanitizer report, timeout or
# broken invariant; the input that caused it is kept in build-fuzz/findings/NAME/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

seconds="${1:-60}"
ensure_packages "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DQUILLORY_FUZZ=ON -DQUILLORY_BUILD_GUI=OFF -DQUILLORY_BUILD_TESTS=OFF
cmake --build build-fuzz -j "$(nproc)"

for target in build-fuzz/tests/fuzz/*_fuzz; do
  name="$(basename "$target" _fuzz)"
  corpus="build-fuzz/corpus/$name"
  findings="build-fuzz/findings/$name"
  mkdir -p "$corpus" "$findings"
  if [ -d "tests/fuzz/corpus/$name" ]; then
    cp -n tests/fuzz/corpus/"$name"/* "$corpus"/
  fi
  if [ "$name" = project_reader ]; then
    cp -n tests/data/bad/*.qlx "$corpus"/  # the bad-input documents are seeds too
  fi
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$findings/")
  if [ -f "tests/fuzz/$name.dict" ]; then
    options+=(-dict="tests/fuzz/$name.dict")
  fi
  echo "== fuzz $name for $seconds s"
  log="build-fuzz/$name.log"
  status=0
  "$target" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$log"
    echo "fuzz $name: failed (exit $status); the input is in $findings/"
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  echo "fuzz $name: $seconds s, $runs executions, corpus of $(ls "$corpus" | wc -l) inputs, no failure"
done
