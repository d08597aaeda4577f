#!/usr/bin/env bash
# Builds Quillory and renders the demo project as its plain-text README.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLORY_BUILD_GUI=OFF -DQUILLORY_BUILD_TESTS=OFF
cmake --build build -j "$(nproc)" --target quillory-cli
build/src/quillory-cli render txt "${1:-examples/demo.qlx}"
