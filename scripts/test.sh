#!/usr/bin/env bash
# Installs the packages, builds the explorer twice (plain, and with AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test in both builds, plus the formatting check.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/check-format.sh

jobs=$(nproc)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs" --timeout 300

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFE_SANITIZE=ON -DFE_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs" --timeout 600
