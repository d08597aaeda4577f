#!/usr/bin/env bash
# Builds Quillory, with warnings as errors, and runs every test: the whole suite (GUI tests on the offscreen platform), then builds
# the Debian package from the same build folder and checks it (scripts/check_package.sh), then the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz target briefly.
# Any failure stops the script with a non-zero status.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}" \
  "${PACKAGE_PACKAGES[@]}"

jobs="$(nproc)"
export QT_QPA_PLATFORM=offscreen
export QTWEBENGINE_DISABLE_SANDBOX=1
export CTEST_OUTPUT_ON_FAILURE=1

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build -j "$jobs" --timeout 600
suite_count="$(ctest --test-dir build -N | sed -n 's/^Total Tests: //p')"

echo "== the Debian package"
bash scripts/package.sh
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)"
bash scripts/check_package.sh "quillory_${version}_amd64.deb" build | tee build/package-checks.log
package_count="$(sed -n 's/^package: \([0-9]*\) checks passed$/\1/p' build/package-checks.log)"

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLORY_BUILD_GUI=OFF -DQUILLORY_SANITIZE=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan -j "$jobs" --timeout 600
sanitized_count="$(ctest --test-dir build-asan -N | sed -n 's/^Total Tests: //p')"

echo "== fuzz targets, 20 seconds each"
if command -v clang++ >/dev/null; then
  bash scripts/fuzz.sh 20
else
  echo "clang++ is missing: fuzz targets skipped"
fi

echo "== all: $suite_count tests, $package_count package checks, then $sanitized_count tests under the sanitizers"
echo "$((suite_count + package_count + sanitized_count)) passed, 0 failed"
