#!/usr/bin/env bash
# Builds everything with the sanitizers and runs every test on Qt's offscreen platform:
# one test a process (ctest), then every test program whole, so that what one test
# leaves armed runs into the next: once catching stack use after return, once on a German
# desktop. Then builds what ships, optimised, with the tests and benchmarks, so that
# warnings that only optimising brings out fail too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DVESK_TESTS=ON -DVESK_SANITIZE=ON -DVESK_WERROR=ON "${launcher[@]}"
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
logs=build/test/test-logs
rm -rf "$logs"
mkdir -p "$logs"
failed=0

ctest --test-dir build/test --output-on-failure -j "$(nproc)" --timeout 120 |
    tee "$logs/ctest.log" || failed=1

# A German desktop: decimal commas, and the C library's messages in German.
# localedef writes the locale into the build folder, so no system locale is needed.
locales=build/test/locales
if [ ! -d "$locales/de_DE.UTF-8" ]; then
  mkdir -p "$locales"
  localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8"
fi

# Runs every test program whole, side by side, with the extra environment given.
run_whole() {
  local pass=$1; shift
  local pids=() names=()
  for program in build/test/tests/*_tests; do
    local name
    name=$(basename "$program")
    env "$@" timeout 900 "$program" --gtest_brief=1 >"$logs/$pass-$name.log" 2>&1 &
    pids+=($!)
    names+=("$name")
  done
  for i in "${!pids[@]}"; do
    if wait "${pids[$i]}"; then
      echo "$pass: ${names[$i]} passed"
    else
      echo "$pass: ${names[$i]} FAILED (build/test/test-logs/$pass-${names[$i]}.log):"
      tail -n 40 "$logs/$pass-${names[$i]}.log"
      failed=1
    fi
  done
}
run_whole whole ASAN_OPTIONS="$ASAN_OPTIONS:detect_stack_use_after_return=1"
run_whole german -u LANGUAGE LOCPATH="$PWD/$locales" LC_ALL=de_DE.UTF-8

cmake -S . -B build/ci-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DVESK_TESTS=ON -DVESK_BENCHMARKS=ON -DVESK_WERROR=ON "${launcher[@]}"
cmake --build build/ci-release || failed=1

grep -E "tests passed|tests failed" "$logs/ctest.log" || true
exit "$failed"
