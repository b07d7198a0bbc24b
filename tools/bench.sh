#!/usr/bin/env bash
# Builds in Release and runs every benchmark. Each benchmark program measures
# its subject beside a baseline in the same run; compare the pairs as ratios.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
for bench in build/bench/*_bench; do
  echo "== $(basename "$bench") =="
  "$bench" "$@"
done
