#!/usr/bin/env bash
# Builds and runs every benchmark program in a Release build.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DFE_BUILD_TESTS=OFF
cmake --build build-bench -j "$(nproc)"
for b in build-bench/bin/bench_*; do
  echo "== $b"
  "$b" "$@"
done
