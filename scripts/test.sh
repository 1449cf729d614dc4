#!/bin/sh
# Installs what is needed, builds the engine with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs the whole test suite, then fuzzes the
# picture and metafile readers for a bounded time.
set -eu
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DORV_SANITIZE=ON
cmake --build build-test -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$(pwd)/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-test --output-on-failure -j 2

# The picture and metafile readers under libFuzzer, for a bounded time.
./scripts/fuzz.sh
