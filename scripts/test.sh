#!/usr/bin/env bash
# Builds everything with the sanitizers and runs every test on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DVESK_TESTS=ON -DVESK_SANITIZE=ON -DVESK_WERROR=ON
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure -j "$(nproc)" --timeout 120
