#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer (a separate build folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
bash scripts/check_includes.sh

echo "== build (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINTARA_WERROR=ON
cmake --build build -j"$jobs"
echo "== tests"
ctest --test-dir build --output-on-failure -j"$jobs"

# The optimiser of a Release build warns about things the others do not; build
# the two programs that way too (a build only, the tests ran above).
echo "== release build of the programs (build-release/)"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUINTARA_WERROR=ON
cmake --build build-release -j"$jobs" --target quintara quintara-cli

echo "== build under sanitizers (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUINTARA_SANITIZE=ON -DQUINTARA_WERROR=ON
cmake --build build-asan -j"$jobs"
echo "== tests under sanitizers"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure -j"$jobs"
