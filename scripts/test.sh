#!/usr/bin/env bash
# Sets up, builds and runs every test: once plain, once under AddressSanitizer +
# UndefinedBehaviorSanitizer, and the concurrency tests once more under ThreadSanitizer.
# Any failure or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/.ci/lsan.supp

echo "== plain build"
bash scripts/build.sh release
ctest --test-dir build/release --output-on-failure -j2

echo "== ThreadSanitizer (the concurrency tests only)"
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
tsan_tests=(app_fetch_dispatch_test app_status_ticker_test app_press_stress_test)
bash scripts/build.sh tsan --target "${tsan_tests[@]}"
for test in "${tsan_tests[@]}"; do
  "build/tsan/$test" --gtest_brief=1
done

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
bash scripts/build.sh asan
ctest --test-dir build/asan --output-on-failure -j2
