#!/usr/bin/env bash
# Installs the packages, builds the explorer and opens it on the home folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFE_BUILD_TESTS=OFF -DFE_BUILD_BENCH=OFF
cmake --build build -j "$(nproc)" --target file-explorer
exec build/bin/file-explorer "$HOME"
