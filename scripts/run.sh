#!/usr/bin/env bash
# Builds the program and runs it on a demo data directory (demo-data/).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
echo "== build (build/)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
echo "== quintara-cli"
./build/quintara-cli --help
