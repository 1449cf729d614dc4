#!/bin/sh
# Builds the libFuzzer targets with clang and runs each for a bounded time
# on the seed corpus in tests/fuzz/corpus (tests/fuzz/make_crafted.py
# writes its crafted seeds). New inputs found go to a scratch corpus in the
# build folder, never into the checked-in seeds.
# FUZZ_SECONDS (default 12) is each target's running time; the four targets
# take about as long as two did at 25 seconds.
set -eu
cd "$(dirname "$0")/.."

SECONDS_EACH="${FUZZ_SECONDS:-12}"
BUILD=build-fuzz

cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DORV_FUZZ=ON -DORV_BUILD_TESTS=OFF -DORV_BUILD_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j "$(nproc)" --target fuzz-metafile fuzz-pictures fuzz-script fuzz-field

export QT_QPA_PLATFORM=offscreen
# Broken inputs are the point here; Qt need not warn about each one.
export QT_LOGGING_RULES="qt.gui.imageio*=false;default.warning=false"
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

for target in metafile pictures script field; do
  scratch="$BUILD/corpus-$target"
  mkdir -p "$scratch"
  echo "fuzzing $target for ${SECONDS_EACH}s"
  "$BUILD/tests/fuzz/fuzz-$target" "$scratch" "tests/fuzz/corpus/$target" \
    -max_total_time="$SECONDS_EACH" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
    -artifact_prefix="$BUILD/crash-$target-" -print_final_stats=1
done
