#!/bin/sh
# Installs what is needed, builds the engine and runs the bundled demo report.
set -eu
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORV_BUILD_TESTS=OFF -DORV_BUILD_BENCH=OFF
cmake --build build -j "$(nproc)"
./build/apps/orvreport/orvreport demo
